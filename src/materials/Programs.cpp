#include "korvath/Programs.h"

#include <vector>

#include "core/ExtTable.h"
#include "core/Log.h"
#include "core/Paths.h"
#include "platform/Files.h"

namespace korvath {

namespace {

// Every line, however it ended in the file, ends in CR LF in the source.
std::string SourceWithCrLf(const std::vector<uint8_t>& bytes) {
    std::string source;
    source.reserve(bytes.size() + bytes.size() / 16 + 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = static_cast<char>(bytes[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            source += "\r\n";
        } else {
            source += c;
        }
    }
    if (source.size() < 2 || source.compare(source.size() - 2, 2, "\r\n") != 0) source += "\r\n";
    return source;
}

// Failed compiles and links still hand back their object; the reason goes to the log.
void LogFailure(GLhandleARB object, GLenum statusName, const std::string& what) {
    const GLExtFunctions& f = GLExt();
    if (!f.glGetObjectParameterivARB || !f.glGetInfoLogARB) return;
    GLint status = 0, length = 0;
    f.glGetObjectParameterivARB(object, statusName, &status);
    if (status) return;
    f.glGetObjectParameterivARB(object, GL_OBJECT_INFO_LOG_LENGTH_ARB, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) f.glGetInfoLogARB(object, length, nullptr, log.data());
    AppendLog("Programs: * " + what);
    AppendLog(CutAtNul(log));
}

template <typename SetValue>
void SetUniform(int32_t program, const std::string& name, SetValue setValue) {
    const GLExtFunctions& f = GLExt();
    if (!f.glUseProgramObjectARB || !f.glGetUniformLocationARB) return;
    const auto handle = static_cast<GLhandleARB>(program);
    f.glUseProgramObjectARB(handle);
    setValue(f, f.glGetUniformLocationARB(handle, name.c_str()));
    f.glUseProgramObjectARB(0);
}

}  // namespace

int32_t Programs::Load(const std::string& Shader, PROGRAM_OBJECTS Object) {
    const std::string path = ResolvePath(Shader);
    std::vector<uint8_t> bytes;
    if (!platform::FileExists(path) || !platform::ReadWholeFile(path, bytes) || bytes.empty()) return 0;
    const GLExtFunctions& f = GLExt();
    if (!f.glCreateShaderObjectARB || !f.glShaderSourceARB || !f.glCompileShaderARB) return 0;

    const std::string source = SourceWithCrLf(bytes);
    const GLcharARB* text = source.data();
    const GLint length = static_cast<GLint>(source.size());
    const GLhandleARB shader = f.glCreateShaderObjectARB(static_cast<GLenum>(Object));
    f.glShaderSourceARB(shader, 1, &text, &length);
    f.glCompileShaderARB(shader);
    LogFailure(shader, GL_OBJECT_COMPILE_STATUS_ARB, "Could not compile " + path);
    return static_cast<int32_t>(shader);
}

// A zero handle is not attached (GL would only record an error for it).
int32_t Programs::Link(int32_t Vertex, int32_t Fragment) {
    const GLExtFunctions& f = GLExt();
    if (!f.glCreateProgramObjectARB || !f.glAttachObjectARB || !f.glLinkProgramARB) return 0;
    const GLhandleARB program = f.glCreateProgramObjectARB();
    if (Vertex) f.glAttachObjectARB(program, static_cast<GLhandleARB>(Vertex));
    if (Fragment) f.glAttachObjectARB(program, static_cast<GLhandleARB>(Fragment));
    f.glLinkProgramARB(program);
    LogFailure(program, GL_OBJECT_LINK_STATUS_ARB, "Could not link program " + std::to_string(program));
    return static_cast<int32_t>(program);
}

void Programs::SetUniformTexture(int32_t Index, const std::string& Name, int32_t Unit) {
    SetUniform(Index, Name, [Unit](const GLExtFunctions& f, GLint location) {
        if (f.glUniform1iARB) f.glUniform1iARB(location, Unit);
    });
}

void Programs::SetUniformVariable1(int32_t Index, const std::string& Name, float Value) {
    SetUniform(Index, Name, [&Value](const GLExtFunctions& f, GLint location) {
        if (f.glUniform1fvARB) f.glUniform1fvARB(location, 1, &Value);
    });
}

void Programs::SetUniformVariable2(int32_t Index, const std::string& Name, const VECTOR2& Value) {
    const GLfloat values[2] = {Value.x, Value.y};
    SetUniform(Index, Name, [&values](const GLExtFunctions& f, GLint location) {
        if (f.glUniform2fvARB) f.glUniform2fvARB(location, 1, values);
    });
}

void Programs::SetUniformVariable3(int32_t Index, const std::string& Name, const VECTOR3& Value) {
    const GLfloat values[3] = {Value.x, Value.y, Value.z};
    SetUniform(Index, Name, [&values](const GLExtFunctions& f, GLint location) {
        if (f.glUniform3fvARB) f.glUniform3fvARB(location, 1, values);
    });
}

void Programs::SetUniformVariable4(int32_t Index, const std::string& Name, const VECTOR4& Value) {
    const GLfloat values[4] = {Value.x, Value.y, Value.z, Value.w};
    SetUniform(Index, Name, [&values](const GLExtFunctions& f, GLint location) {
        if (f.glUniform4fvARB) f.glUniform4fvARB(location, 1, values);
    });
}

}  // namespace korvath
