// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace ryvorn {

class TOxSbcDevice;

// The base of every view of device data: the device it shows (or none), whether the
// link is on line, and the project's data directory. The views derive from it and load
// or save their data with the project.
class TSbcDataView {
  public:
    virtual ~TSbcDataView() = default;

    virtual void SetDevice(TOxSbcDevice* device) { Device_ = device; }
    virtual void SetOnline(bool online) { Online_ = online; }
    virtual void SetDataDirectory(const std::string& directory) { DataDirectory_ = directory; }
    // Loading and saving add what went wrong to the warning list; the base has no data.
    virtual void LoadData(std::vector<std::string>& /*warnings*/) {}
    virtual void SaveData(std::vector<std::string>& /*warnings*/) {}

    // The file-name part of name, in the project's data directory.
    std::string ProjectFileName(const std::string& name) const;

    TOxSbcDevice* Device() const { return Device_; }
    bool Online() const { return Online_; }
    const std::string& DataDirectory() const { return DataDirectory_; }

  private:
    TOxSbcDevice* Device_ = nullptr;
    bool Online_ = false;
    std::string DataDirectory_;
};

}  // namespace ryvorn
