#pragma once
// An archive of game data: a PACK file (.pak) or a zip file (.pk3). Load reads its
// directory; Extract writes entries as files below the engine path, never outside
// it; Clean removes exactly what Extract wrote. Mount instead lets every loader
// read the archive's files in place, without extracting anything.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvath {

struct PackEntry {
    std::string EntryName;  // '/' between folders
    int32_t FilePos = 0;    // PACK: data offset; zip: the entry's index
    int32_t FileLen = 0;    // zip entries past the size limit keep -1
    bool Extracted = false;
};

class Pack {
public:
    Pack();
    ~Pack();  // unloads and unmounts
    Pack(const Pack&) = delete;
    Pack& operator=(const Pack&) = delete;

    // Reads the directory of Filename (relative names resolve against the engine
    // path) over any archive already loaded; the outcome is reported in the log.
    void Load(const std::string& Filename);
    // Extracts the entries whose target path contains Filename (every entry when
    // empty); true when at least one file was written.
    bool Extract(const std::string& Filename = "");
    // Removes the files this object extracted and the folders it created for them,
    // and empties the entry list.
    void Clean();
    void UnLoad();

    // Adds Filename to the archives every loader searches, its entries appearing
    // below the engine path as it is now. Later mounts override earlier ones and
    // loose files override all. The archive stays mounted while this object lives
    // (Load and UnLoad leave it alone); mounting another replaces it.
    bool Mount(const std::string& Filename);

    bool Loaded() const;
    const std::vector<PackEntry>& Entries() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace korvath
