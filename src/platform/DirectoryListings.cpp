#include "platform/DirectoryListings.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>
#include <unordered_map>

namespace korvath::platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// What tells a directory's listing apart from a later one.
struct DirectoryStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    int64_t ModifiedNanoseconds = 0;
    bool operator==(const DirectoryStamp&) const = default;
};

struct Listing {
    DirectoryStamp Stamp;
    std::unordered_map<std::string, std::string> NameOfFolded;  // lower-case name -> first entry so spelt
};

std::unordered_map<std::string, Listing>& Listings() {
    static std::unordered_map<std::string, Listing> listings;
    return listings;
}

// ASCII only, as the comparison the look-up has always made.
std::string Folded(const std::string& name) {
    std::string folded = name;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool StampOfDirectory(const std::string& directory, DirectoryStamp& stamp) {
    struct stat info;
    if (::stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    stamp.Device = info.st_dev;
    stamp.Inode = info.st_ino;
    stamp.ModifiedNanoseconds = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

bool ReadListing(const std::string& directory, Listing& listing) {
    DirHandle dir(::opendir(directory.c_str()));
    if (!dir) return false;
    listing.NameOfFolded.clear();
    while (const dirent* entry = ::readdir(dir.get())) listing.NameOfFolded.emplace(Folded(entry->d_name), entry->d_name);
    return true;
}

}  // namespace

std::string MatchIgnoringCase(const std::string& directory, const std::string& part) {
    const std::string dir = directory.empty() ? "." : directory;
    DirectoryStamp stamp;
    if (!StampOfDirectory(dir, stamp)) return {};
    std::unordered_map<std::string, Listing>& listings = Listings();
    auto kept = listings.find(dir);
    if (kept == listings.end() || !(kept->second.Stamp == stamp)) {
        Listing listing;
        listing.Stamp = stamp;
        if (!ReadListing(dir, listing)) return {};
        if (kept == listings.end() && listings.size() >= kMaxKeptListings) listings.clear();
        kept = listings.insert_or_assign(dir, std::move(listing)).first;
    }
    const auto match = kept->second.NameOfFolded.find(Folded(part));
    return match == kept->second.NameOfFolded.end() ? std::string() : match->second;
}

void ForgetDirectoryListings() { Listings().clear(); }

}  // namespace korvath::platform
