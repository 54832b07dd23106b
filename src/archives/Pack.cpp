#include "korvath/Pack.h"

#include "archives/EntryNames.h"
#include "archives/ExtractedFiles.h"
#include "archives/PackDirectory.h"
#include "core/LoadingScreen.h"
#include "core/Paths.h"
#include "platform/ArchiveMounts.h"
#include "platform/FileTree.h"
#include "platform/Files.h"
#include "platform/ZipArchive.h"

namespace korvath {

namespace {
// No entry of real game data comes near this; a zip entry declaring more is
// refused before anything is inflated.
constexpr uint64_t kMaxEntryBytes = uint64_t{512} << 20;

void Report(const std::string& text, bool error = false) { ShowLoadStatus(text, true, 0, error); }

void Failed(const std::string& invalid) {
    if (!invalid.empty()) Report(invalid, true);
    Report("PAK: Loading Failed...", true);
    Report("");
}
}  // namespace

struct Pack::State {
    bool Loaded = false;
    std::string ArchivePath;  // as found on disk
    uint64_t ArchiveSize = 0;
    platform::ZipArchive Zip;  // open when the archive is a zip
    std::vector<PackEntry> Entries;
    ExtractedFiles Written;
    std::string Mounted;

    // Why entry i cannot be written, or an empty text.
    std::string RangeProblem(const PackEntry& entry) const {
        if (Zip.IsOpen()) return entry.FileLen < 0 ? "larger than the entry size limit" : "";
        if (entry.FilePos < 0 || entry.FileLen < 0 ||
            static_cast<uint64_t>(entry.FilePos) + static_cast<uint64_t>(entry.FileLen) > ArchiveSize)
            return "data outside the archive";
        return {};
    }

    bool ReadEntry(const PackEntry& entry, std::vector<uint8_t>& bytes) const {
        if (Zip.IsOpen()) return Zip.Read(static_cast<size_t>(entry.FilePos), bytes);
        return platform::ReadFileRange(ArchivePath, static_cast<uint64_t>(entry.FilePos),
                                       static_cast<uint64_t>(entry.FileLen), bytes);
    }

    bool ReadPack(const std::vector<uint8_t>& header) {
        PackHeader pack;
        std::vector<uint8_t> directory;
        if (!ReadPackHeader(header.data(), header.size(), ArchiveSize, pack) ||
            !platform::ReadFileRange(ArchivePath, static_cast<uint64_t>(pack.DirectoryOffset),
                                     PackEntryCount(pack) * kPackEntryBytes, directory))
            return false;
        Entries = ReadPackEntries(directory.data(), directory.size());
        return true;
    }

    bool ReadZip() {
        if (!Zip.Open(ArchivePath)) return false;
        const std::vector<platform::ZipEntry>& zipped = Zip.Entries();
        for (size_t i = 0; i < zipped.size(); ++i) {
            PackEntry entry;
            // libzip hands names out as C strings, so a NUL inside a stored name ends
            // it there; what precedes it is checked like any other name.
            entry.EntryName = zipped[i].Name;
            entry.FilePos = static_cast<int32_t>(i);
            entry.FileLen = zipped[i].Size > kMaxEntryBytes ? -1 : static_cast<int32_t>(zipped[i].Size);
            Entries.push_back(std::move(entry));
        }
        return true;
    }
};

Pack::Pack() : state_(std::make_unique<State>()) {}

Pack::~Pack() {
    UnLoad();
    if (!state_->Mounted.empty()) platform::UnmountArchive(state_->Mounted);
}

bool Pack::Loaded() const { return state_->Loaded; }
const std::vector<PackEntry>& Pack::Entries() const { return state_->Entries; }

void Pack::Load(const std::string& Filename) {
    UnLoad();
    State& s = *state_;
    Report("PAK: Loading " + FileNameOf(Filename));
    s.ArchivePath = platform::FindFileIgnoringCase(ResolvePath(Filename));
    platform::FileStamp stamp;
    std::vector<uint8_t> header;
    if (!platform::StampOf(s.ArchivePath, stamp) || platform::KindOf(s.ArchivePath) != platform::PathKind::File) {
        Failed("");
        return;
    }
    s.ArchiveSize = static_cast<uint64_t>(stamp.Size);
    platform::ReadFileRange(s.ArchivePath, 0, std::min<uint64_t>(kPackHeaderBytes, s.ArchiveSize), header);
    s.Entries.clear();
    // The PACK magic is asked first: a PACK header in front of a zip is a PACK file.
    const bool read = IsPackMagic(header.data(), header.size())                 ? s.ReadPack(header)
                      : platform::LooksLikeZip(header.data(), header.size()) ? s.ReadZip()
                                                                               : false;
    if (!read) {
        s.Entries.clear();
        s.Zip.Close();
        Failed("PAK: Invalid Pack File!");
        return;
    }
    s.Loaded = true;
    Report("PAK: Loaded Successfully");
    Report("");
}

bool Pack::Extract(const std::string& Filename) {
    State& s = *state_;
    const std::string wanted = Filename.empty() ? std::string() : NormaliseSeparators(ResolvePath(Filename));
    const std::string root = NormaliseSeparators(EnginePath());
    bool wrote = false;
    for (size_t i = 0; i < s.Entries.size(); ++i) {
        PackEntry& entry = s.Entries[i];
        ShowLoadStatus("PAK: Extracting", false, static_cast<float>(i + 1) / static_cast<float>(s.Entries.size()),
                       false);
        entry.EntryName = CleanEntryName(entry.EntryName);
        const std::string target = root + entry.EntryName;
        if (IsFolderEntry(entry.EntryName) || (!wanted.empty() && target.find(wanted) == std::string::npos))
            continue;
        std::string problem = UnsafeEntryReason(entry.EntryName);
        if (problem.empty()) problem = s.RangeProblem(entry);
        if (problem.empty()) problem = s.Written.MakeFolders(root, entry.EntryName);
        std::vector<uint8_t> bytes;
        if (problem.empty() && platform::KindOf(target) == platform::PathKind::Missing &&
            !s.ReadEntry(entry, bytes))
            problem = "data cannot be read";
        if (!problem.empty()) {
            Report("PAK: Refused " + entry.EntryName + " (" + problem + ")", true);
            continue;
        }
        // An existing file (or link) at the target is left untouched.
        const ExtractedFiles::Outcome outcome = platform::KindOf(target) == platform::PathKind::Missing
                                                    ? s.Written.Write(target, bytes)
                                                    : ExtractedFiles::Outcome::Existing;
        if (outcome == ExtractedFiles::Outcome::Failed) continue;
        entry.Extracted = true;
        wrote = wrote || outcome == ExtractedFiles::Outcome::Written;
    }
    if (!wrote) {
        Report("PAK: Extraction Failed...");
        Report("");
    }
    return wrote;
}

void Pack::Clean() {
    state_->Written.RemoveAll();
    state_->Entries.clear();
}

void Pack::UnLoad() {
    State& s = *state_;
    if (!s.Loaded) return;
    s.Loaded = false;
    s.Zip.Close();
    Clean();
    Report("PAK: Unloaded");
    ShowLoadStatus("", false, 0, false);
}

bool Pack::Mount(const std::string& Filename) {
    State& s = *state_;
    const std::string path = platform::FindFileIgnoringCase(ResolvePath(Filename));
    if (!s.Mounted.empty()) platform::UnmountArchive(s.Mounted);
    s.Mounted.clear();
    if (!platform::MountArchive(path, EnginePath())) {
        Report("PAK: Mounting Failed... " + FileNameOf(Filename), true);
        return false;
    }
    s.Mounted = path;
    Report("PAK: Mounted " + FileNameOf(Filename));
    return true;
}

}  // namespace korvath
