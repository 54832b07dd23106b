#include "platform/ZipArchive.h"

#include <zip.h>

#include <cstring>
#include <new>

namespace korvath::platform {

bool LooksLikeZip(const uint8_t* data, size_t size) {
    return size >= 4 && (std::memcmp(data, "PK\x03\x04", 4) == 0 || std::memcmp(data, "PK\x05\x06", 4) == 0);
}

ZipArchive::ZipArchive() = default;
ZipArchive::~ZipArchive() { Close(); }

void ZipArchive::Close() {
    if (archive_) zip_discard(archive_);
    archive_ = nullptr;
    entries_.clear();
}

bool ZipArchive::Open(const std::string& path) {
    Close();
    int error = 0;
    archive_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
    return archive_ && ReadDirectory();
}

bool ZipArchive::OpenBytes(const uint8_t* data, size_t size) {
    Close();
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(data, size, 0, &error);
    if (source) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (!archive_) zip_source_free(source);
    }
    zip_error_fini(&error);
    return archive_ && ReadDirectory();
}

bool ZipArchive::ReadDirectory() {
    const zip_int64_t count = zip_get_num_entries(archive_, 0);
    if (count < 0) {
        Close();
        return false;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t info;
        zip_stat_init(&info);
        ZipEntry entry;
        if (zip_stat_index(archive_, static_cast<zip_uint64_t>(i), 0, &info) == 0) {
            if (info.valid & ZIP_STAT_NAME) entry.Name = info.name;
            if (info.valid & ZIP_STAT_SIZE) entry.Size = info.size;
        }
        // An entry that cannot be described keeps an empty name, which no writer accepts.
        entries_.push_back(std::move(entry));
    }
    return true;
}

bool ZipArchive::Read(size_t index, std::vector<uint8_t>& bytes) const {
    bytes.clear();
    if (!archive_ || index >= entries_.size()) return false;
    zip_file_t* file = zip_fopen_index(archive_, index, 0);
    if (!file) return false;
    const uint64_t size = entries_[index].Size;
    bool read = true;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        read = false;
    }
    // One byte more than declared is asked for, so an entry that inflates past its
    // size is caught rather than trusted.
    uint8_t extra = 0;
    read = read && zip_fread(file, bytes.data(), size) == static_cast<zip_int64_t>(size) &&
           zip_fread(file, &extra, 1) == 0;
    zip_fclose(file);
    if (!read) bytes.clear();
    return read;
}

}  // namespace korvath::platform
