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
uniform mat4 viewMatrix;
varying vec3 vColour;
varying vec2 vTexCoord;
void main() {
    gl_Position = viewMatrix * vec4(position, 1.0);
    vColour = clamp(colour, 0.0, 1.0);
    vTexCoord = texCoord;
}
)";

// Samplers default to low precision in a fragment shader; asking for high keeps every
// texel exactly what fixed function reads, so the rounding of the sum matches too.
const char* const FRAGMENT_HEADER = R"(#version 100
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
precision highp sampler2D;
#else
precision mediump float;
#endif
uniform sampler2D atlas;
varying vec3 vColour;
varying vec2 vTexCoord;
)";

const char* const PLAIN_FRAGMENT_BODY = R"(
void main() {
    gl_FragColor = texture2D(atlas, vTexCoord) * vec4(vColour, 1.0);
}
)";

// The picture's gutters cover 0..1 exactly as its own texture's wrap mode would.
const char* const WRAPPING_FRAGMENT_BODY = R"(
uniform vec4 region;
uniform float wrap;
void main() {
    vec2 inPicture = mix(clamp(vTexCoord, 0.0, 1.0), fract(vTexCoord), wrap);
    gl_FragColor = texture2D(atlas, region.xy + inPicture * region.zw) * vec4(vColour, 1.0);
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

// Links one pair; its sampler reads unit 0.
bool BuildProgram(const char* fragmentBody, Gles2Program& result, std::string& error) {
    GLuint vertexShader = Compile(GL_VERTEX_SHADER, VERTEX_SOURCE, error);
    if (!vertexShader) return false;
    GLuint fragmentShader = Compile(GL_FRAGMENT_SHADER, std::string(FRAGMENT_HEADER) + fragmentBody, error);
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
    glUniform1i(glGetUniformLocation(program, "atlas"), 0);
    result.program = program;
    result.viewMatrix = glGetUniformLocation(program, "viewMatrix");
    result.region = glGetUniformLocation(program, "region");
    result.wrap = glGetUniformLocation(program, "wrap");
    return true;
}

}  // namespace

bool BuildGles2Programs(Gles2Programs& programs, std::string& error) {
    Gles2Programs built;
    if (!BuildProgram(PLAIN_FRAGMENT_BODY, built.plain, error)) return false;
    if (!BuildProgram(WRAPPING_FRAGMENT_BODY, built.wrapping, error)) {
        glDeleteProgram(built.plain.program);
        return false;
    }
    programs = built;
    return true;
}
