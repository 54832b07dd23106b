#pragma once
// The one engine-wide state of the library, the log file and the small path and
// text utilities every class uses. Everything here runs on the host's thread.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "korvath/Material.h"
#include "korvath/Types.h"

namespace korvath {

class Ext;
class Font;
class Frustum;
class Keyboard;
class Timer;

// A display mode as the full-screen switch requests and restores it.
struct DisplayMode {
    int32_t Fields = 0;  // 0x1C0000: bits, width and height are valid
    int32_t BitsPerPixel = 0;
    int32_t Width = 0;
    int32_t Height = 0;
};

struct ConsoleLine {
    bool Error = false;
    int32_t Row = 0;
    std::string Text;
};

struct EngineState {
    // Window and GL handles.
    int32_t WindowHandle = 0;   // the window made by Window::Load (an SDL window id)
    int32_t DeviceContext = 0;  // the window Initialize draws into (an SDL window id)
    void* RenderContext = nullptr;

    // Screen.
    int32_t ScreenWidth = 0, ScreenHeight = 0, ScreenBits = 0;
    bool FullScreen = false;
    DisplayMode RequestedMode, SavedMode;

    // Projection and camera.
    float FieldOfView = 0, AspectRatio = 0, NearPlane = 0, FarPlane = 0;
    VECTOR3 CameraPosition, CameraRotation;
    std::vector<float> CosineTable, SineTable;  // 361 entries while initialised

    // Frame timing.
    int32_t CurrentTick = 0, PreviousTick = 0;
    float FrameTime = 0, SceneTime = 0;
    int32_t FrameCount = 0, FramesLastSecond = 0, FpsDeadline = 0;
    int32_t FrameLimit = 0, FrameVertices = 0;

    // Fades and lifecycle.
    bool FadeActive = false, FadeOut = false;
    float FadeLevel = 0, FadeDuration = 0;
    bool IntroDone = false, UnloadRequested = false;

    // Switches.
    bool ConsoleVisible = false, ShowFPS = false, ShowVersion = false, LogEnabled = false;
    std::FILE* LogFile = nullptr;
    std::string LogPath;
    std::string EnginePath;
    bool UseMipmaps = false, LightingEnabled = false, ShadowPass = false;

    // GL capabilities probed by Initialize.
    bool ExtMultiDrawArrays = false, ExtMultitexture = false, ExtShaderObjects = false,
         ExtVertexShader = false, ExtFragmentShader = false, ExtShadingLanguage = false,
         ExtTextureCompression = false, ExtTextureRectangle = false;
    // Textures made after the intro are S3TC-compressed: the extension exists and
    // the rasteriser gains from it (a software one only pays, at load and per texel).
    bool CompressTextures = false;

    // Loading screen.
    std::string LoadText;
    float LoadProgress = 0;
    bool LoadError = false;

    // Console.
    std::vector<ConsoleLine> ConsoleLines;
    int32_t LineCount = 0, NextRow = 0;
    std::string InputText;
    std::vector<std::string> History;
    int32_t HistoryCount = 0, HistoryIndex = 0;
    std::vector<std::string> Commands;
    int32_t CommandCount = 0;
    std::string PendingCommand, PendingArgument;
    SHADER Background, Progress;
};

EngineState& State();

// Shared service objects, each made on first use and kept while the library is loaded.
Ext& EngineExt();
Font& EngineFont();
Frustum& EngineFrustum();
Keyboard& EngineKeyboard();
Timer& EngineTimer();

// The library's own version numbers.
constexpr int32_t kVersionMajor = 1, kVersionMinor = 0, kVersionRevision = 4096;
std::string VersionText();  // "Korvath Engine Version: 1.0 Build 4096"

// Log file.
void OpenLog();
void AppendLog(const std::string& text);
void CloseLog();

// Path and text utilities.
std::string ResolvePath(const std::string& name);
std::string StripTrailingSlash(const std::string& path);
bool FileExists(const std::string& path);
int32_t CharIndex(const std::string& text, int code);
std::string CutAtNul(const std::string& text);
std::string BaseName(const std::string& path);
std::string ExtensionOf(const std::string& path);
std::string ShortPath(const std::string& path);
// The part of a path after its last separator ('\\' or '/').
std::string FileNameOf(const std::string& path);
// The name of an existing file for path, matching each component case-insensitively
// where the exact name does not exist; path itself when nothing matches.
std::string FindFileIgnoringCase(const std::string& path);
// Both separators are accepted; '/' is written.
std::string NormaliseSeparators(const std::string& path);
bool IsAbsolutePath(const std::string& name);
// Reads a whole file (after the case-insensitive look-up); false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Rounding to the nearest whole number, halves to even.
int32_t RoundHalfEven(double value);

// Text editing used by the keyboard's line editor; offset counts from the end.
std::string InsertAtCursor(const std::string& text, const std::string& s, int32_t offset);
std::string DeleteBeforeCursor(const std::string& text, int32_t offset);
std::string DeleteAtCursor(const std::string& text, int32_t offset);

}  // namespace korvath
