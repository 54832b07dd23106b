#include "korvath/Ext.h"

#include <cstring>

#include "core/ExtTable.h"
#include "platform/Video.h"

namespace korvath {

namespace {
std::optional<std::string> g_extensionOverride;

template <typename T>
void Bind(T& pointer, const char* name) {
    pointer = reinterpret_cast<T>(platform::GetProcAddress(name));
}

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}
}  // namespace

GLExtFunctions& GLExt() {
    static GLExtFunctions table;
    return table;
}

void OverrideExtensionString(std::optional<std::string> extensions) {
    g_extensionOverride = std::move(extensions);
}

std::string ExtensionString() {
    if (g_extensionOverride) return *g_extensionOverride;
    const GLubyte* text = platform::VideoStarted() ? glGetString(GL_EXTENSIONS) : nullptr;
    return text ? reinterpret_cast<const char*>(text) : std::string();
}

// Only an object that bound the table releases it, so a host's throw-away Ext used
// for extension queries does not unbind the engine's entry points.
Ext::~Ext() {
    if (patched_) UnPatchGLExt();
}

bool Ext::PatchGLExt() {
    if (!platform::VideoStarted()) return false;
    GLExtFunctions& f = GLExt();
    Bind(f.glActiveTextureARB, "glActiveTextureARB");
    Bind(f.glClientActiveTextureARB, "glClientActiveTextureARB");
    Bind(f.glCreateShaderObjectARB, "glCreateShaderObjectARB");
    Bind(f.glShaderSourceARB, "glShaderSourceARB");
    Bind(f.glCompileShaderARB, "glCompileShaderARB");
    Bind(f.glCreateProgramObjectARB, "glCreateProgramObjectARB");
    Bind(f.glAttachObjectARB, "glAttachObjectARB");
    Bind(f.glLinkProgramARB, "glLinkProgramARB");
    Bind(f.glUseProgramObjectARB, "glUseProgramObjectARB");
    Bind(f.glDeleteObjectARB, "glDeleteObjectARB");
    Bind(f.glGetUniformLocationARB, "glGetUniformLocationARB");
    Bind(f.glGetAttribLocationARB, "glGetAttribLocationARB");
    Bind(f.glUniform1iARB, "glUniform1iARB");
    Bind(f.glUniform1fvARB, "glUniform1fvARB");
    Bind(f.glUniform2fvARB, "glUniform2fvARB");
    Bind(f.glUniform3fvARB, "glUniform3fvARB");
    Bind(f.glUniform4fvARB, "glUniform4fvARB");
    Bind(f.glGetObjectParameterivARB, "glGetObjectParameterivARB");
    Bind(f.glGetInfoLogARB, "glGetInfoLogARB");
    Bind(f.glGenBuffersARB, "glGenBuffersARB");
    Bind(f.glBindBufferARB, "glBindBufferARB");
    Bind(f.glBufferDataARB, "glBufferDataARB");
    Bind(f.glDeleteBuffersARB, "glDeleteBuffersARB");
    patched_ = true;
    return true;
}

bool Ext::UnPatchGLExt() {
    GLExt() = GLExtFunctions{};
    patched_ = false;
    return true;
}

bool Ext::IsExtensionSupported(std::string& Extension) {
    Extension = Trim(Extension);
    return ExtensionString().find(Extension) != std::string::npos;
}

bool Ext::IsWiggleExtensionSupported(std::string& Extension) {
    const char* text = platform::VideoStarted() ? platform::WindowSystemExtensions() : nullptr;
    if (!text) return false;
    Extension = Trim(Extension);
    return std::strstr(text, Extension.c_str()) != nullptr;
}

}  // namespace korvath
