#pragma once
#include <cstdint>
#include <string>

// Writes the back buffer as a PNG, top row first.
bool WritePng(const std::string& path, int32_t width, int32_t height);
