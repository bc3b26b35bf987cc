// SPDX-License-Identifier: MIT
#include "device/module_catalogue_dump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace ryvorn {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(ModuleCatalogueDump, CsvHasAHeaderAndOneLinePerParameter) {
    const std::string csv = ModuleCatalogueCsv();
    ASSERT_FALSE(csv.empty());
    EXPECT_EQ(csv.back(), '\n');
    const auto lines = Lines(csv);
    ASSERT_EQ(lines.size(), 1u + 852u);
    EXPECT_EQ(
        lines[0],
        "id,short_name,caption,param_count,index,name,type,min,max,default,decimals,text_width,formatter,"
        "recipe_slot,pick_list,option,register,colour,key");
    EXPECT_EQ(lines[1],
              R"(0,"END","Stop line",2,0,"Label","",0,1000,0,0,0,dpParamLabel,0,1,0,0,"128,0,128",0)");
    EXPECT_EQ(
        lines.back(),
        R"(78,"FB END","End of function block",2,1,"Option","",0,1,0,0,0,dpParamOption,0,1,0,0,"0,0,0",0)");

    auto find = [&](const std::string& prefix) {
        for (const auto& line : lines)
            if (line.rfind(prefix, 0) == 0) return line;
        return std::string();
    };
    EXPECT_EQ(
        find("3,\"TIMER\",\"Timer Delay On/Off\",7,3,"),
        R"(3,"TIMER","Timer Delay On/Off",7,3,"Delay On","s",0,999999,0,2,0,dpParameter,1,1,1,1,"0,0,255",0)");
    EXPECT_EQ(find("35,\"COMP X,Y\",\"Compare X,Y\",9,2,"),
              R"(35,"COMP X,Y","Compare X,Y",9,2,"Value","n",-999999,999999,0,0,0,,1,0,0,0,"0,0,255",0)");
    EXPECT_EQ(
        find("39,\"COMMENT\",\"Comment\",10,2,"),
        R"(39,"COMMENT","Comment",10,2,"String[1-4]","",538976288,2139062143,538976288,0,4,dpParamString,0,0,0,0,"0,128,0",0)");
}

TEST(ModuleCatalogueDump, ListHasOneAlignedLinePerModule) {
    const auto lines = Lines(ModuleCatalogueList());
    ASSERT_EQ(lines.size(), 79u);
    EXPECT_EQ(lines[0].rfind(" 0  END  ", 0), 0u) << lines[0];
    EXPECT_EQ(lines[0].substr(lines[0].size() - 3), "  2");
    EXPECT_NE(lines[64].find("TIMERMS"), std::string::npos);
    EXPECT_NE(lines[64].find("Precision Timer Delay On/Off"), std::string::npos);
    EXPECT_EQ(lines[64].substr(lines[64].size() - 3), "  8");
    for (const auto& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line;
}

TEST(ModuleCatalogueDump, JsonNamesEveryModuleAndParameter) {
    const std::string json = ModuleCatalogueJson();
    EXPECT_EQ(json.front(), '[');
    EXPECT_NE(
        json.find(
            R"({"id": 78, "short_name": "FB END", "caption": "End of function block", "param_count": 2)"),
        std::string::npos);
    EXPECT_NE(
        json.find(R"({"index": 5, "name": "Rule 2.5%", "type": "n", "min": 0, "max": 1, "default": 1, )"),
        std::string::npos);
    std::size_t params = 0;
    for (std::size_t at = json.find("\"index\": "); at != std::string::npos;
         at = json.find("\"index\": ", at + 1))
        ++params;
    EXPECT_EQ(params, 852u);
}

}  // namespace
}  // namespace ryvorn
