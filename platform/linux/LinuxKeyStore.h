#pragma once
#include <string>

#include "platform/IRegistry.h"

// A registry kept in files: each root is a folder, each key a file "<name>.reg" (its values,
// see TRegFileText) beside a folder "<name>" (its subkeys). A key exists when either is there.
// Key names compare without regard to case, as in the registry.
//
// Access follows the file system: a key opens for reading when its file can be read, and with
// any right to change it only when its folder can be written, which is what replacing the file
// needs. So a store that belongs to root behaves for other users as the local machine's keys
// do for a user without administrator rights. Files are replaced atomically, never edited in
// place.
class TLinuxKeyStore : public IRegistry {
public:
    // The folders that hold the roots; a root with an empty folder has no keys and none can be
    // created in it.
    explicit TLinuxKeyStore(std::string LocalMachineFolder, std::string CurrentUserFolder = {});

    std::unique_ptr<IRegistryKey> OpenKey(RegRoot Root, const std::string& Path, uint32_t Access, bool Create) override;

private:
    std::string FLocalMachine;
    std::string FCurrentUser;
};
