#pragma once
// The extension entry points of the current context. Ext::PatchGLExt fills the
// table and UnPatchGLExt clears it; a pointer the driver does not have stays null,
// so every caller checks before calling.
#include <optional>
#include <string>

#include "platform/GL.h"

namespace korvath {

struct GLExtFunctions {
    PFNGLACTIVETEXTUREARBPROC glActiveTextureARB = nullptr;
    PFNGLCLIENTACTIVETEXTUREARBPROC glClientActiveTextureARB = nullptr;
    PFNGLCREATESHADEROBJECTARBPROC glCreateShaderObjectARB = nullptr;
    PFNGLSHADERSOURCEARBPROC glShaderSourceARB = nullptr;
    PFNGLCOMPILESHADERARBPROC glCompileShaderARB = nullptr;
    PFNGLCREATEPROGRAMOBJECTARBPROC glCreateProgramObjectARB = nullptr;
    PFNGLATTACHOBJECTARBPROC glAttachObjectARB = nullptr;
    PFNGLLINKPROGRAMARBPROC glLinkProgramARB = nullptr;
    PFNGLUSEPROGRAMOBJECTARBPROC glUseProgramObjectARB = nullptr;
    PFNGLDELETEOBJECTARBPROC glDeleteObjectARB = nullptr;
    PFNGLGETUNIFORMLOCATIONARBPROC glGetUniformLocationARB = nullptr;
    PFNGLGETATTRIBLOCATIONARBPROC glGetAttribLocationARB = nullptr;
    PFNGLUNIFORM1IARBPROC glUniform1iARB = nullptr;
    PFNGLUNIFORM1FVARBPROC glUniform1fvARB = nullptr;
    PFNGLUNIFORM2FVARBPROC glUniform2fvARB = nullptr;
    PFNGLUNIFORM3FVARBPROC glUniform3fvARB = nullptr;
    PFNGLUNIFORM4FVARBPROC glUniform4fvARB = nullptr;
    // Compile and link logs, so failures reach the engine log.
    PFNGLGETOBJECTPARAMETERIVARBPROC glGetObjectParameterivARB = nullptr;
    PFNGLGETINFOLOGARBPROC glGetInfoLogARB = nullptr;
    // Vertex buffers, for geometry that stays on the driver's side between frames.
    PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
    PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
    PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
    PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
};

GLExtFunctions& GLExt();

// Tests substitute the driver's extension string to reach the "not found" paths.
void OverrideExtensionString(std::optional<std::string> extensions);
// The GL extension string of the current context (or the override); empty without one.
std::string ExtensionString();

}  // namespace korvath
