#include "render/gles2_backend.h"

#include <GLES2/gl2.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/program_name.h"
#include "render/gles2_program.h"
#include "render/gles2_textures.h"
#include "render/mesh_repeats.h"
#include "render/picture_box.h"
#include "render/quad_batch.h"
#include "render/view_matrix.h"

namespace {

// GL objects of the current context; `ready` says they exist.
struct Objects {
    bool ready = false;
    bool failed = false;  // the shaders would not build: nothing is drawn
    Gles2Programs programs;
    GLuint quadBuffer = 0;
    GLuint quadIndexBuffer = 0;
    GLuint meshBuffer = 0;
    GLuint meshIndexBuffer = 0;
    bool meshIndicesValid = false;  // meshIndexBuffer holds the indices of meshTriangles
    GLuint frameIndexBuffer = 0;    // the mesh's taken triangles, then quads after its vertices
    GLuint program = 0;             // the program in use
};

Objects gl;
float projection[16] = {};
float clipScale = 1.0f;    // of the viewport in use (ChooseWideViewport)
bool pictureBars = false;  // the picture's box leaves bars in the drawable

QuadBatch batch;

uint32_t meshTexture = 0;
// The mesh cut at its picture's repeats, and what it was cut from: it is cut again
// (and its indices go to GL again) only when the triangles, the nodes' coordinates or
// the picture's wrapping change, not every frame.
MeshRepeats meshRepeats;
std::vector<Triangle> meshTriangles;
std::vector<TexCoord> meshCoords;
bool meshWrap = true;
std::vector<DrawVertex> meshVertices;  // this frame's, placed
// A mesh whose every triangle is taken waits for the quads after it, to go with them
// in one draw when they sample the same texture.
bool meshWaiting = false;
GLuint meshWaitingTexture = 0;
int32_t drawCalls = 0;
int32_t drawCallsLastFrame = 0;

void UseProgram(const Gles2Program& program) {
    if (gl.program == program.program) return;
    glUseProgram(program.program);
    gl.program = program.program;
}

void BindTexture0(GLuint texture) {
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
}

void MakeQuadIndices() {
    std::vector<uint16_t> indices;
    AppendQuadIndices(indices, 0, QUAD_BATCH_CAPACITY);
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
    std::string error;
    if (!BuildGles2Programs(gl.programs, error)) {
        std::fprintf(stderr, "%s: the GLES2 renderer cannot draw: %s\n", ProgramName(), error.c_str());
        gl.failed = true;
        return false;
    }
    glGenBuffers(1, &gl.quadBuffer);
    glGenBuffers(1, &gl.meshBuffer);
    glGenBuffers(1, &gl.meshIndexBuffer);
    glGenBuffers(1, &gl.frameIndexBuffer);
    MakeQuadIndices();
    return true;
}

void PointAttributes() {
    const GLsizei stride = sizeof(DrawVertex);
    glVertexAttribPointer(ATTRIBUTE_POSITION, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, x)));
    glVertexAttribPointer(ATTRIBUTE_COLOUR, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, r)));
    glVertexAttribPointer(ATTRIBUTE_TEXCOORD, 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(DrawVertex, u)));
    glEnableVertexAttribArray(ATTRIBUTE_POSITION);
    glEnableVertexAttribArray(ATTRIBUTE_COLOUR);
    glEnableVertexAttribArray(ATTRIBUTE_TEXCOORD);
}

// Draws `quads` quads from `vertices` in one call.
void DrawQuadVertices(const DrawVertex* vertices, int32_t quads) {
    glBindBuffer(GL_ARRAY_BUFFER, gl.quadBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(quads) * 4 * sizeof(DrawVertex)), vertices,
                 GL_STREAM_DRAW);
    PointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.quadIndexBuffer);
    glDrawElements(GL_TRIANGLES, quads * 6, GL_UNSIGNED_SHORT, nullptr);
    ++drawCalls;
}

// Quads whose corners 16-bit indices still reach after the cut mesh's vertices.
int32_t QuadsAfterMesh() {
    return std::min(QUAD_BATCH_CAPACITY, (MESH_REPEATS_VERTEX_LIMIT - meshRepeats.placedCount) / 4);
}

// The index buffer of a mesh drawn with the quads after it: its taken triangles,
// then QuadsAfterMesh() quads' corners, numbered past its vertices.
void MakeFrameIndices() {
    std::vector<uint16_t> indices(meshRepeats.indices.begin(),
                                  meshRepeats.indices.begin() + meshRepeats.placedIndexCount);
    AppendQuadIndices(indices, meshRepeats.placedCount, QuadsAfterMesh());
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.frameIndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(uint16_t)), indices.data(),
                 GL_STATIC_DRAW);
}

// The waiting mesh alone.
void DrawWaitingMesh() {
    glBindBuffer(GL_ARRAY_BUFFER, gl.meshBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(size_t(meshRepeats.placedCount) * sizeof(DrawVertex)),
                 meshVertices.data(), GL_STREAM_DRAW);
    PointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.meshIndexBuffer);
    UseProgram(gl.programs.plain);
    BindTexture0(meshWaitingTexture);
    glDrawElements(GL_TRIANGLES, meshRepeats.placedIndexCount, GL_UNSIGNED_SHORT, nullptr);
    ++drawCalls;
}

// The waiting mesh and the gathered quads after it, in one call.
void DrawMeshWithQuads() {
    size_t meshBytes = size_t(meshRepeats.placedCount) * sizeof(DrawVertex);
    size_t quadBytes = size_t(batch.quads) * 4 * sizeof(DrawVertex);
    glBindBuffer(GL_ARRAY_BUFFER, gl.meshBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(meshBytes + quadBytes), nullptr, GL_STREAM_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(meshBytes), meshVertices.data());
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(meshBytes), GLsizeiptr(quadBytes), batch.vertices);
    PointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.frameIndexBuffer);
    UseProgram(gl.programs.plain);
    BindTexture0(batch.texture);
    glDrawElements(GL_TRIANGLES, meshRepeats.placedIndexCount + batch.quads * 6, GL_UNSIGNED_SHORT, nullptr);
    ++drawCalls;
}

// Draws what waits (a mesh, the gathered quads), in one call where they share a
// texture, and starts an empty batch.
void FlushQuads() {
    if (meshWaiting && batch.quads > 0 && batch.texture == meshWaitingTexture &&
        batch.quads <= QuadsAfterMesh()) {
        DrawMeshWithQuads();
    } else {
        if (meshWaiting) DrawWaitingMesh();
        if (batch.quads > 0) {
            UseProgram(gl.programs.plain);
            BindTexture0(batch.texture);
            DrawQuadVertices(batch.vertices, batch.quads);
        }
    }
    meshWaiting = false;
    ClearQuadBatch(batch);
}

// Points the wrapping program at a picture of the atlas.
void UseWrappingProgram(const Gles2Sampling& sampling) {
    const Gles2Program& program = gl.programs.wrapping;
    UseProgram(program);
    const AtlasRegion& r = sampling.region;
    glUniform4f(program.region, r.u0, r.v0, r.width, r.height);
    glUniform1f(program.wrap, sampling.wrap ? 1.0f : 0.0f);
    BindTexture0(sampling.texture);
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
    meshWaiting = false;
    glDepthMask(GL_TRUE);
    glDisable(GL_SCISSOR_TEST);  // the clear paints the bars too
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (pictureBars) glEnable(GL_SCISSOR_TEST);
    if (!Ready()) return;

    float camera[16], viewMatrix[16];
    TranslationMatrix(float(-cameraPos.x), float(-cameraPos.y), float(-cameraPos.z), camera);
    MultiplyMatrices(projection, camera, viewMatrix);
    ScaleClipXY(viewMatrix, clipScale);
    for (const Gles2Program* program : {&gl.programs.wrapping, &gl.programs.plain}) {
        glUseProgram(program->program);
        glUniformMatrix4fv(program->viewMatrix, 1, GL_FALSE, viewMatrix);
    }
    gl.program = gl.programs.plain.program;
    PrepareGles2Atlas();

    // Every quad is added to the picture, in issue order, with nothing hidden.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
}

void BindTexture(uint32_t texture) { meshTexture = texture; }

// True when the mesh given differs from the one last cut (in what the cut reads).
bool MeshChanged(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
                 int32_t triangleCount, bool wrap) {
    bool same = gl.meshIndicesValid && wrap == meshWrap && size_t(vertexCount) == meshCoords.size() &&
                size_t(triangleCount) == meshTriangles.size() &&
                std::memcmp(triangles, meshTriangles.data(), size_t(triangleCount) * sizeof(Triangle)) == 0;
    for (int32_t n = 0; same && n < vertexCount; ++n)
        same = vertices[n].u == meshCoords[size_t(n)].u && vertices[n].v == meshCoords[size_t(n)].v;
    if (same) return false;
    meshWrap = wrap;
    meshTriangles.assign(triangles, triangles + triangleCount);
    meshCoords.resize(size_t(vertexCount));
    for (int32_t n = 0; n < vertexCount; ++n) meshCoords[size_t(n)] = {vertices[n].u, vertices[n].v};
    return true;
}

// The mesh's triangles within one repeat of the picture straight from its region of
// the atlas, the rest through the wrapping shader. A mesh all of whose triangles are
// within their repeats (the grid) waits, to be drawn with the quads after it.
void DrawMesh(const DrawVertex* vertices, int32_t vertexCount, const Triangle* triangles,
              int32_t triangleCount) {
    if (!Ready() || vertexCount <= 0 || vertexCount > MESH_REPEATS_VERTEX_LIMIT || triangleCount <= 0) return;
    FlushQuads();
    Gles2Sampling sampling = Gles2TextureSampling(meshTexture);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.meshIndexBuffer);
    if (MeshChanged(vertices, vertexCount, triangles, triangleCount, sampling.wrap)) {
        CutMeshAtRepeats(vertices, vertexCount, triangles, triangleCount, sampling.wrap, meshRepeats);
        meshVertices.resize(meshRepeats.node.size());
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(meshRepeats.indices.size() * sizeof(uint16_t)),
                     meshRepeats.indices.data(), GL_STATIC_DRAW);
        gl.meshIndicesValid = true;
        MakeFrameIndices();
    }
    if (meshRepeats.indices.empty()) return;
    PlaceMeshRepeats(meshRepeats, vertices, sampling.region, meshVertices.data());
    int32_t leftOver = int32_t(meshRepeats.indices.size()) - meshRepeats.placedIndexCount;
    if (leftOver == 0) {
        meshWaiting = true;
        meshWaitingTexture = sampling.texture;
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, gl.meshBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(meshVertices.size() * sizeof(DrawVertex)), meshVertices.data(),
                 GL_STREAM_DRAW);
    PointAttributes();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.meshIndexBuffer);

    if (meshRepeats.placedIndexCount > 0) {
        UseProgram(gl.programs.plain);
        BindTexture0(sampling.texture);
        glDrawElements(GL_TRIANGLES, meshRepeats.placedIndexCount, GL_UNSIGNED_SHORT, nullptr);
        ++drawCalls;
    }
    if (leftOver > 0) {
        Gles2Sampling past = Gles2TextureSamplingPastEdges(meshTexture);
        if (past.inAtlas) {
            UseWrappingProgram(past);
        } else {
            UseProgram(gl.programs.plain);
            BindTexture0(past.texture);
        }
        glDrawElements(
            GL_TRIANGLES, leftOver, GL_UNSIGNED_SHORT,
            reinterpret_cast<const void*>(size_t(meshRepeats.placedIndexCount) * sizeof(uint16_t)));
        ++drawCalls;
    }
}

void DrawQuad(uint32_t texture, const DrawVertex corners[4]) {
    if (!Ready()) return;
    Gles2Sampling sampling = Gles2TextureSampling(texture);
    if (sampling.inAtlas && !InsidePicture(corners)) sampling = Gles2TextureSamplingPastEdges(texture);
    if (sampling.inAtlas && !InsidePicture(corners)) {
        // Coordinates beyond the picture's gutters: wrapped or clamped in the shader, alone.
        FlushQuads();
        UseWrappingProgram(sampling);
        DrawVertex flat[4];
        for (int i = 0; i < 4; ++i) {
            flat[i] = corners[i];
            flat[i].r = corners[0].r;
            flat[i].g = corners[0].g;
            flat[i].b = corners[0].b;
        }
        DrawQuadVertices(flat, 1);
        return;
    }
    if (AddQuad(batch, sampling.texture, sampling.region, corners)) return;
    FlushQuads();
    AddQuad(batch, sampling.texture, sampling.region, corners);
}

void EndFrame() {
    if (gl.ready && !gl.failed) FlushQuads();
    drawCallsLastFrame = drawCalls;
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glFlush();
}

void Release() {
    if (gl.ready) {
        for (GLuint program : {gl.programs.plain.program, gl.programs.wrapping.program}) {
            if (program) glDeleteProgram(program);
        }
        GLuint buffers[] = {gl.quadBuffer, gl.quadIndexBuffer, gl.meshBuffer, gl.meshIndexBuffer,
                            gl.frameIndexBuffer};
        for (GLuint buffer : buffers) {
            if (buffer) glDeleteBuffers(1, &buffer);
        }
        ReleaseGles2Atlas();
    }
    gl = Objects();
    ClearQuadBatch(batch);
    meshWaiting = false;
}

}  // namespace

const DrawBackend GLES2_DRAW_BACKEND = {
    "gles2",  true,     SetView,  InitState,          BeginFrame,         BindTexture,
    DrawMesh, DrawQuad, EndFrame, CreateGles2Texture, DeleteGles2Texture, Release,
};

int32_t Gles2DrawCallsLastFrame() { return drawCallsLastFrame; }
