#include "render/gles2_backend.h"

#include <GLES2/gl2.h>
#include <GLES2/gl2ext.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/program_name.h"
#include "render/gles2_program.h"
#include "render/mipmaps.h"
#include "render/picture_box.h"
#include "render/quad_batch.h"
#include "render/textures.h"
#include "render/view_matrix.h"

namespace {

constexpr int32_t MAX_TEXTURE_UNITS = QUAD_BATCH_MAX_UNITS;

// GL objects of the current context; `ready` says they exist.
struct Objects {
    bool ready = false;
    bool failed = false;  // the shaders would not build: nothing is drawn
    Gles2Program program;
    GLuint quadBuffer = 0;
    GLuint quadIndexBuffer = 0;
    GLuint meshBuffer = 0;
    GLuint meshIndexBuffer = 0;
    bool meshIndicesValid = false;  // meshIndexBuffer holds the indices of meshTriangles
    GLuint flatTexture = 0;         // one white texel: what an empty slot samples
    int32_t units = 0;
    GLuint boundTextures[MAX_TEXTURE_UNITS] = {};
};

Objects gl;
int32_t unitLimit = GLES2_DEFAULT_TEXTURE_UNITS;
float projection[16] = {};
float clipScale = 1.0f;    // of the viewport in use (ChooseWideViewport)
bool pictureBars = false;  // the picture's box leaves bars in the drawable

QuadBatch batch;

GLuint meshTexture = 0;
// The triangles whose indices meshIndexBuffer holds (valid while gl.meshIndicesValid).
Triangle meshTriangles[GRID_TRIANGLE_CAPACITY];
int32_t meshTriangleCount = 0;
int32_t meshIndicesVertexCount = 0;
uint16_t meshIndices[GRID_TRIANGLE_CAPACITY * 3];
int32_t meshIndexCount = 0;
int32_t drawCalls = 0;
int32_t drawCallsLastFrame = 0;

void BindToUnit(int32_t unit, GLuint texture) {
    if (gl.boundTextures[unit] == texture) return;
    glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    glBindTexture(GL_TEXTURE_2D, texture);
    gl.boundTextures[unit] = texture;
}

void MakeFlatTexture() {
    const uint8_t white[4] = {255, 255, 255, 255};
    glGenTextures(1, &gl.flatTexture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, gl.flatTexture);
    gl.boundTextures[0] = gl.flatTexture;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
}

// Every quad is two triangles over its four corners: 0 1 2 and 0 2 3.
void MakeQuadIndices() {
    std::vector<uint16_t> indices(size_t(QUAD_BATCH_CAPACITY) * 6);
    for (int32_t q = 0; q < QUAD_BATCH_CAPACITY; ++q) {
        uint16_t first = uint16_t(q * 4);
        uint16_t* i = &indices[size_t(q) * 6];
        i[0] = first;
        i[1] = uint16_t(first + 1);
        i[2] = uint16_t(first + 2);
        i[3] = first;
        i[4] = uint16_t(first + 2);
        i[5] = uint16_t(first + 3);
    }
    glGenBuffers(1, &gl.quadIndexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.quadIndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint16_t)), indices.data(),
                 GL_STATIC_DRAW);
}

// Makes the back-end's objects in the current context, once.
bool Ready() {
    if (gl.ready) return !gl.failed;
    gl = Objects();
    gl.ready = true;
    GLint deviceUnits = 1;
    glGetIntegerv(GL_MAX_TEXTURE_IMAGE_UNITS, &deviceUnits);
    gl.units = std::max(1, std::min({int32_t(deviceUnits), unitLimit, MAX_TEXTURE_UNITS}));
    std::string error;
    if (!BuildGles2Program(gl.units, gl.program, error)) {
        std::fprintf(stderr, "%s: the GLES2 renderer cannot draw: %s\n", ProgramName(), error.c_str());
        gl.failed = true;
        return false;
    }
    glGenBuffers(1, &gl.quadBuffer);
    glGenBuffers(1, &gl.meshBuffer);
    glGenBuffers(1, &gl.meshIndexBuffer);
    MakeQuadIndices();
    MakeFlatTexture();
    return true;
}

void PointAttributes(GLsizei stride, bool withUnit) {
    glVertexAttribPointer(ATTRIBUTE_POSITION, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, x)));
    glVertexAttribPointer(ATTRIBUTE_COLOUR, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, r)));
    glVertexAttribPointer(ATTRIBUTE_TEXCOORD, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, u)));
    glEnableVertexAttribArray(ATTRIBUTE_POSITION);
    glEnableVertexAttribArray(ATTRIBUTE_COLOUR);
    glEnableVertexAttribArray(ATTRIBUTE_TEXCOORD);
    if (withUnit) {
        glVertexAttribPointer(ATTRIBUTE_UNIT, 1, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offsetof(BatchVertex, unit)));
        glEnableVertexAttribArray(ATTRIBUTE_UNIT);
    } else {
        // The mesh samples unit 0 throughout.
        glDisableVertexAttribArray(ATTRIBUTE_UNIT);
        glVertexAttrib1f(ATTRIBUTE_UNIT, 0.0f);
    }
}

// Draws the gathered quads in one call and starts an empty batch.
void FlushQuads() {
    if (batch.quads == 0) return;
    for (int32_t unit = 0; unit < batch.units; ++unit) BindToUnit(unit, batch.textures[unit]);
    glBindBuffer(GL_ARRAY_BUFFER, gl.quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(batch.quads) * 4 * sizeof(BatchVertex)), batch.vertices,
                 GL_STREAM_DRAW);
    PointAttributes(sizeof(BatchVertex), true);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.quadIndexBuffer);
    glDrawElements(GL_TRIANGLES, batch.quads * 6, GL_UNSIGNED_SHORT, nullptr);
    ++drawCalls;
    ClearQuadBatch(batch);
}

// The viewport reaches past the window's edges so that what crosses them (the grid's
// border, large glows) is not cut up by the GL's clipper: Mesa's software renderer
// sends every triangle of a draw that needs clipping through a much slower path on the
// game thread. Pixels land where they would with the window's own viewport.
// The wide viewport is laid round the picture's box; where the box leaves bars, the
// scissor keeps what reaches past the box out of them.
void SetView(int width, int height) {
    PictureBox box = FitPictureBox(width, height);
    GLint maxDims[2] = {0, 0};
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxDims);
    WideViewport viewport = ChooseWideViewport(box.width, box.height, maxDims[0], maxDims[1]);
    glViewport(box.x + viewport.x, box.y + viewport.y, viewport.width, viewport.height);
    glScissor(box.x, box.y, box.width, box.height);
    pictureBars = PictureHasBars(box, width, height);
    clipScale = viewport.clipScale;
    float aspect = PictureAspect(box);
    PerspectiveMatrix(45.0, aspect, 0.2f, 2500.0, projection);
}

// What fixed function starts with and an ES context offers; each frame sets the rest.
void InitState() {
    Ready();
    glClearColor(0.9f, 0.9f, 0.95f, 0.0f);
    glClearDepthf(1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void BeginFrame(const Vector3& cameraPos) {
    drawCalls = 0;
    ClearQuadBatch(batch);
    glDepthMask(GL_TRUE);
    glDisable(GL_SCISSOR_TEST);  // the clear paints the bars too
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (pictureBars) glEnable(GL_SCISSOR_TEST);
    if (!Ready()) return;

    float camera[16], viewMatrix[16];
    TranslationMatrix(float(-cameraPos.x), float(-cameraPos.y), float(-cameraPos.z), camera);
    MultiplyMatrices(projection, camera, viewMatrix);
    ScaleClipXY(viewMatrix, clipScale);
    glUseProgram(gl.program.program);
    glUniformMatrix4fv(gl.program.viewMatrix, 1, GL_FALSE, viewMatrix);

    // Every quad is added to the picture, in issue order, with nothing hidden.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
}

void BindTexture(uint32_t texture) { meshTexture = texture; }

void DrawMesh(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
              int32_t triangleCount) {
    if (!Ready() || vertexCount <= 0 || vertexCount > 65536) return;
    FlushQuads();
    triangleCount = std::min(triangleCount, GRID_TRIANGLE_CAPACITY);
    BindToUnit(0, meshTexture != 0 ? meshTexture : gl.flatTexture);
    glBindBuffer(GL_ARRAY_BUFFER, gl.meshBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(vertexCount) * sizeof(DrawVertex)), vertices,
                 GL_STREAM_DRAW);
    PointAttributes(sizeof(DrawVertex), false);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.meshIndexBuffer);
    // The grid's triangles are built once: their indices go to GL again only when they change.
    size_t triangleBytes = size_t(triangleCount) * sizeof(Triangle);
    if (!gl.meshIndicesValid || vertexCount != meshIndicesVertexCount || triangleCount != meshTriangleCount ||
        std::memcmp(triangles, meshTriangles, triangleBytes) != 0) {
        std::memcpy(meshTriangles, triangles, triangleBytes);
        meshTriangleCount = triangleCount;
        meshIndicesVertexCount = vertexCount;
        meshIndexCount = 0;
        for (int32_t t = 0; t < triangleCount; ++t) {
            const int32_t* node = triangles[t].node;
            // A triangle naming a node outside the mesh is left out rather than read past it.
            bool inside = true;
            for (int corner = 0; corner < 3; ++corner)
                inside = inside && node[corner] >= 0 && node[corner] < vertexCount;
            if (!inside) continue;
            for (int corner = 0; corner < 3; ++corner) meshIndices[meshIndexCount++] = uint16_t(node[corner]);
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(size_t(meshIndexCount) * sizeof(uint16_t)),
                     meshIndices, GL_STATIC_DRAW);
        gl.meshIndicesValid = true;
    }
    if (meshIndexCount == 0) return;
    glDrawElements(GL_TRIANGLES, meshIndexCount, GL_UNSIGNED_SHORT, nullptr);
    ++drawCalls;
}

void DrawQuad(uint32_t texture, const DrawVertex corners[4]) {
    if (!Ready()) return;
    GLuint name = texture != 0 ? texture : gl.flatTexture;
    if (AddQuad(batch, gl.units, name, corners)) return;
    FlushQuads();
    AddQuad(batch, gl.units, name, corners);
}

void EndFrame() {
    if (gl.ready && !gl.failed) FlushQuads();
    drawCallsLastFrame = drawCalls;
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glFlush();
}

bool HasExtension(const char* name) {
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions && std::strstr(extensions, name);
}

// The picture and its whole mipmap chain, made by the box filter GLU uses; a side
// that is not a power of two is first scaled to the one GLU would choose.
void UploadLevels(const uint8_t* pixels, int32_t width, int32_t height, int32_t components) {
    GLenum format = components == 3 ? GL_RGB : GL_RGBA;
    std::vector<uint8_t> level;
    int32_t w = width, h = height;
    if (!IsPowerOfTwo(w) || !IsPowerOfTwo(h)) {
        w = MipmapSide(width);
        h = MipmapSide(height);
        level = ScalePicture(pixels, width, height, components, w, h);
        pixels = level.data();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (GLint index = 0;; ++index) {
        glTexImage2D(GL_TEXTURE_2D, index, GLint(format), w, h, 0, format, GL_UNSIGNED_BYTE, pixels);
        if (w == 1 && h == 1) break;
        level = HalvePicture(pixels, w, h, components);
        pixels = level.data();
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

uint32_t CreateTexture(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                       uint32_t flags) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    if (gl.ready) gl.boundTextures[0] = name;

    GLint minFilter = GL_LINEAR_MIPMAP_LINEAR, magFilter = GL_LINEAR;
    if ((flags & TEX_ANISOTROPIC) && HasExtension("GL_EXT_texture_filter_anisotropic")) {
        // Up to 8, less if the driver caps it lower; below 4 it is not worth asking.
        GLfloat level = 8.0f;
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        if (maximum < 8.0f) level = maximum;
        if (maximum >= 4.0f) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, level);
    }
    if (flags & TEX_LINEAR) minFilter = magFilter = GL_LINEAR;
    if (flags & TEX_NEAREST) minFilter = magFilter = GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    GLint wrap = (flags & TEX_CLAMP) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);

    if ((bytesPerPixel == 3 || bytesPerPixel == 4) && width > 0 && height > 0) {
        UploadLevels(pixels, width, height, bytesPerPixel);
    } else {
        // Fixed function draws a texture without an image flat; one white texel does the same.
        const uint8_t white[4] = {255, 255, 255, 255};
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    }
    return name;
}

void DeleteTexture(uint32_t texture) {
    if (texture == 0) return;
    glDeleteTextures(1, &texture);
    for (GLuint& bound : gl.boundTextures) {
        if (bound == texture) bound = 0;
    }
}

void Release() {
    if (gl.ready) {
        if (gl.program.program) glDeleteProgram(gl.program.program);
        GLuint buffers[] = {gl.quadBuffer, gl.quadIndexBuffer, gl.meshBuffer, gl.meshIndexBuffer};
        for (GLuint buffer : buffers) {
            if (buffer) glDeleteBuffers(1, &buffer);
        }
        if (gl.flatTexture) glDeleteTextures(1, &gl.flatTexture);
    }
    gl = Objects();
    ClearQuadBatch(batch);
}

}  // namespace

const DrawBackend GLES2_DRAW_BACKEND = {
    "gles2",  true,     SetView,  InitState,     BeginFrame,    BindTexture,
    DrawMesh, DrawQuad, EndFrame, CreateTexture, DeleteTexture, Release,
};

void SetGles2TextureUnitLimit(int32_t units) {
    unitLimit = std::max(1, std::min(units, MAX_TEXTURE_UNITS));
    // The sampler count is built into the fragment shader: the next frame makes it again.
    Release();
}

int32_t Gles2TextureUnits() { return gl.units; }

int32_t Gles2DrawCallsLastFrame() { return drawCallsLastFrame; }
