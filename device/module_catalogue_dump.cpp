// SPDX-License-Identifier: MIT
#include "device/module_catalogue_dump.h"

#include <algorithm>
#include <string_view>

#include "device/json_text.h"
#include "device/module_catalogue.h"

namespace ryvorn {

namespace {

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string Flag(bool flag) {
    return flag ? "1" : "0";
}

std::string PaddedRight(std::string_view text, std::size_t width) {
    std::string padded(text);
    if (padded.size() < width) padded.append(width - padded.size(), ' ');
    return padded;
}

std::string PaddedLeft(const std::string& text, std::size_t width) {
    return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string JsonFlag(bool flag) {
    return flag ? "true" : "false";
}

}  // namespace

std::string ModuleCatalogueCsv() {
    std::string csv =
        "id,short_name,caption,param_count,index,name,type,min,max,default,decimals,text_width,formatter,"
        "recipe_slot,pick_list,option,register,colour,key\n";
    for (const TModuleInfo& module : ModuleDefinitionTable()) {
        const std::string moduleColumns = std::to_string(module.ModuleId) + "," + Quoted(module.ShortName) +
                                          "," + Quoted(module.Caption) + "," +
                                          std::to_string(module.ParamCount);
        for (std::size_t i = 0; i < module.ParamCount; ++i) {
            const TModuleParamInfo& p = module.Params[i];
            csv += moduleColumns;
            csv += "," + std::to_string(i);
            csv += "," + Quoted(p.Name);
            csv += "," + Quoted(p.TypeLetter);
            csv += "," + std::to_string(p.Minimum);
            csv += "," + std::to_string(p.Maximum);
            csv += "," + std::to_string(p.Default);
            csv += "," + std::to_string(p.Decimals);
            csv += "," + std::to_string(p.TextWidth);
            csv += "," + std::string(FormatterKindName(p.Formatter));
            csv += "," + std::to_string(p.RecipeSlot);
            csv += "," + Flag(p.PickList);
            csv += "," + Flag(p.Option);
            csv += "," + Flag(p.Register);
            csv += ",\"" + std::to_string(p.TextColour.R) + "," + std::to_string(p.TextColour.G) + "," +
                   std::to_string(p.TextColour.B) + "\"";
            csv += "," + Flag(p.Key);
            csv += '\n';
        }
    }
    return csv;
}

std::string ModuleCatalogueJson() {
    std::string json = "[\n";
    bool firstModule = true;
    for (const TModuleInfo& module : ModuleDefinitionTable()) {
        json += firstModule ? "" : ",\n";
        firstModule = false;
        json += "  {\"id\": " + std::to_string(module.ModuleId) +
                ", \"short_name\": " + JsonText(module.ShortName) +
                ", \"caption\": " + JsonText(module.Caption) +
                ", \"param_count\": " + std::to_string(module.ParamCount) + ", \"params\": [";
        for (std::size_t i = 0; i < module.ParamCount; ++i) {
            const TModuleParamInfo& p = module.Params[i];
            json += i == 0 ? "\n" : ",\n";
            json += "    {\"index\": " + std::to_string(i) + ", \"name\": " + JsonText(p.Name) +
                    ", \"type\": " + JsonText(p.TypeLetter) + ", \"min\": " + std::to_string(p.Minimum) +
                    ", \"max\": " + std::to_string(p.Maximum) +
                    ", \"default\": " + std::to_string(p.Default) +
                    ", \"decimals\": " + std::to_string(p.Decimals) +
                    ", \"text_width\": " + std::to_string(p.TextWidth) +
                    ", \"formatter\": " + JsonText(FormatterKindName(p.Formatter)) +
                    ", \"recipe_slot\": " + std::to_string(p.RecipeSlot) +
                    ", \"pick_list\": " + JsonFlag(p.PickList) + ", \"option\": " + JsonFlag(p.Option) +
                    ", \"register\": " + JsonFlag(p.Register) + ", \"colour\": [" +
                    std::to_string(p.TextColour.R) + ", " + std::to_string(p.TextColour.G) + ", " +
                    std::to_string(p.TextColour.B) + "], \"key\": " + JsonFlag(p.Key) + "}";
        }
        json += "\n  ]}";
    }
    json += "\n]\n";
    return json;
}

std::string ModuleCatalogueList() {
    const auto table = ModuleDefinitionTable();
    std::size_t nameWidth = 0;
    std::size_t captionWidth = 0;
    for (const TModuleInfo& module : table) {
        nameWidth = std::max(nameWidth, module.ShortName.size());
        captionWidth = std::max(captionWidth, module.Caption.size());
    }
    std::string list;
    for (const TModuleInfo& module : table) {
        list += PaddedLeft(std::to_string(module.ModuleId), 2) + "  " +
                PaddedRight(module.ShortName, nameWidth) + "  " + PaddedRight(module.Caption, captionWidth) +
                "  " + PaddedLeft(std::to_string(module.ParamCount), 2) + '\n';
    }
    return list;
}

}  // namespace ryvorn
