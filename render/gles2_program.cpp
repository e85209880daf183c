#include "render/gles2_program.h"

#include <GLES2/gl2.h>

#include <vector>

namespace {

// Vertex colours are clamped before they are interpolated, as fixed function does:
// a grid node brighter than 1 must not brighten the triangles around it.
const char* const VERTEX_SOURCE = R"(#version 100
attribute vec3 position;
attribute vec3 colour;
attribute vec2 texCoord;
attribute float unit;
uniform mat4 viewMatrix;
varying vec3 vColour;
varying vec2 vTexCoord;
varying float vUnit;
void main() {
    gl_Position = viewMatrix * vec4(position, 1.0);
    vColour = clamp(colour, 0.0, 1.0);
    vTexCoord = texCoord;
    vUnit = unit;
}
)";

// Samplers default to low precision in a fragment shader; asking for high keeps every
// texel exactly what fixed function reads, so the rounding of the sum matches too.
// The unit is the same on all of a quad's corners; interpolation can only blur it
// by rounding, hence the half-unit window.
const char* const FRAGMENT_SOURCE = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
precision highp sampler2D;
#else
precision mediump float;
#endif
uniform sampler2D textures[TEXTURE_UNITS];
varying vec3 vColour;
varying vec2 vTexCoord;
varying float vUnit;
void main() {
#if TEXTURE_UNITS == 1
    gl_FragColor = texture2D(textures[0], vTexCoord) * vec4(vColour, 1.0);
#else
    vec4 texel = vec4(1.0);
    for (int i = 0; i < TEXTURE_UNITS; ++i) {
        if (abs(vUnit - float(i)) < 0.5) texel = texture2D(textures[i], vTexCoord);
    }
    gl_FragColor = texel * vec4(vColour, 1.0);
#endif
}
)";

std::string InfoLog(GLuint object, bool isProgram) {
    GLint length = 0;
    if (isProgram) {
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    } else {
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    }
    std::vector<char> text(size_t(length > 0 ? length : 1), '\0');
    if (isProgram) {
        glGetProgramInfoLog(object, GLsizei(text.size()), nullptr, text.data());
    } else {
        glGetShaderInfoLog(object, GLsizei(text.size()), nullptr, text.data());
    }
    return text.data();
}

GLuint Compile(GLenum kind, const std::string& source, std::string& error) {
    GLuint shader = glCreateShader(kind);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        error = std::string(kind == GL_VERTEX_SHADER ? "vertex" : "fragment") +
                " shader does not compile: " + InfoLog(shader, false);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

bool BuildGles2Program(int32_t textureUnits, Gles2Program& result, std::string& error) {
    // The #version line must come first; the unit count follows it.
    std::string fragment =
        "#version 100\n#define TEXTURE_UNITS " + std::to_string(textureUnits) + "\n" + FRAGMENT_SOURCE;
    GLuint vertexShader = Compile(GL_VERTEX_SHADER, VERTEX_SOURCE, error);
    if (!vertexShader) return false;
    GLuint fragmentShader = Compile(GL_FRAGMENT_SHADER, fragment, error);
    if (!fragmentShader) {
        glDeleteShader(vertexShader);
        return false;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glBindAttribLocation(program, ATTRIBUTE_POSITION, "position");
    glBindAttribLocation(program, ATTRIBUTE_COLOUR, "colour");
    glBindAttribLocation(program, ATTRIBUTE_TEXCOORD, "texCoord");
    glBindAttribLocation(program, ATTRIBUTE_UNIT, "unit");
    glLinkProgram(program);
    // The program keeps what it needs; the shaders go once it is linked.
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        error = "shaders do not link: " + InfoLog(program, true);
        glDeleteProgram(program);
        return false;
    }
    glUseProgram(program);
    std::vector<GLint> units(static_cast<size_t>(textureUnits));
    for (int32_t i = 0; i < textureUnits; ++i) units[size_t(i)] = i;
    glUniform1iv(glGetUniformLocation(program, "textures"), textureUnits, units.data());
    result.program = program;
    result.viewMatrix = glGetUniformLocation(program, "viewMatrix");
    return true;
}
