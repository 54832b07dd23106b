#include "GameArchives.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

std::vector<std::unique_ptr<korvath::Pack>> MountGameArchives(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory.empty() ? "." : directory, error)) {
        std::string extension = entry.path().extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (entry.is_regular_file() && (extension == ".pk3" || extension == ".pak"))
            names.push_back(entry.path().string());
    }
    std::sort(names.begin(), names.end());
    std::vector<std::unique_ptr<korvath::Pack>> mounted;
    for (const std::string& name : names) {
        auto pack = std::make_unique<korvath::Pack>();
        if (pack->Mount(name)) mounted.push_back(std::move(pack));
    }
    return mounted;
}
