#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/IHostEnvironment.h"

// An environment and file system that a test sets: variables in a list kept in order, a
// current directory, drives with their type and sizes, and temporary files that are only
// named, never written. It starts with no variables, the current directory C:\Work and one
// fixed drive C:\ of 100 GB with 40 GB free, 8 sectors of 512 bytes per cluster.
class THeadlessHostEnvironment : public IHostEnvironment {
public:
    struct TDrive {
        uint32_t Type = DRIVE_TYPE_FIXED;
        TDiskSpace Space;
        TClusterFigures Clusters;
        bool SpaceKnown = true;
    };

    THeadlessHostEnvironment();

    std::vector<std::string> EnvironmentBlock() const override;
    std::string ExpandEnvironment(const std::string& Text) const override;
    bool SetVariable(const std::string& Name, const std::string& Value) override;
    std::string CurrentDirectory() const override { return FCurrentDirectory; }
    std::optional<std::string> CreateTempFile(const std::string& Folder, const std::string& Prefix) override;
    std::string LogicalDriveStrings(uint32_t Limit) const override;
    std::string DriveRootOf(const std::string& Path) const override;
    uint32_t DriveType(const std::string& Root) const override;
    std::optional<TDiskSpace> DiskSpace(const std::string& Root) const override;
    std::optional<TClusterFigures> ClusterFigures(const std::string& Root) const override;

    void SetCurrentDirectory(const std::string& Path) { FCurrentDirectory = Path; }
    // Drives are listed in the order of their roots; a drive is known by its root exactly.
    void SetDrive(const std::string& Root, const TDrive& Drive) { FDrives[Root] = Drive; }
    void ClearDrives() { FDrives.clear(); }
    // Whether temporary files can be made.
    void SetTempFilesFail(bool Value) { FTempFilesFail = Value; }
    const std::vector<std::string>& TempFiles() const { return FTempFiles; }

private:
    std::vector<std::pair<std::string, std::string>> FVariables;
    std::string FCurrentDirectory = "C:\\Work";
    std::map<std::string, TDrive> FDrives;
    bool FTempFilesFail = false;
    std::vector<std::string> FTempFiles;
};
