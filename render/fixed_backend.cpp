#include "render/fixed_backend.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include "render/picture_box.h"
#include "render/textures.h"

namespace {

void SetView(int width, int height) {
    // GL clips to the viewport, so nothing lands in the bars round the picture.
    PictureBox box = FitPictureBox(width, height);
    glViewport(box.x, box.y, box.width, box.height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    float aspect = PictureAspect(box);
    // The near plane is the single-precision 0.2f, widened as the projection has always used it.
    gluPerspective(45.0, aspect, 0.2f, 2500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void InitState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.9f, 0.9f, 0.95f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glPolygonMode(GL_FRONT, GL_FILL);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
}

void BeginFrame(const Vector3& cameraPos) {
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    glLoadIdentity();
    glTranslatef(float(-cameraPos.x), float(-cameraPos.y), float(-cameraPos.z));

    // Every quad is added to the picture, in issue order, with nothing hidden.
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
}

void BindTexture(uint32_t texture) { glBindTexture(GL_TEXTURE_2D, texture); }

void DrawMesh(const DrawVertex* vertices, int32_t, const Triangle* triangles, int32_t triangleCount) {
    glBegin(GL_TRIANGLES);
    for (int32_t t = 0; t < triangleCount; ++t) {
        for (int corner = 0; corner < 3; ++corner) {
            const DrawVertex& vertex = vertices[triangles[t].node[corner]];
            glTexCoord2f(vertex.u, vertex.v);
            glColor3f(vertex.r, vertex.g, vertex.b);
            glVertex3f(vertex.x, vertex.y, vertex.z);
        }
    }
    glEnd();
}

void DrawQuad(uint32_t texture, const DrawVertex corners[4]) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(corners[0].r, corners[0].g, corners[0].b);
    glBegin(GL_QUADS);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(corners[i].u, corners[i].v);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

void EndFrame() {
    glDisable(GL_BLEND);
    glFlush();
}

uint32_t CreateTexture(const uint8_t* pixels, int32_t width, int32_t height, int32_t bytesPerPixel,
                       uint32_t flags) {
    GLuint name = 0;
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

    if (flags & TEX_ANISOTROPIC) {
        // Up to 8, less if the driver caps it lower; below 4 it is not worth asking.
        GLfloat level = 8.0f;
        GLfloat maximum = 1.0f;
        glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &maximum);
        if (maximum < 8.0f) level = maximum;
        if (maximum >= 4.0f) glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, level);
    }
    if (flags & TEX_LINEAR) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    if (flags & TEX_NEAREST) {
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }

    GLfloat wrap = (flags & TEX_CLAMP) ? GL_CLAMP_TO_EDGE : GL_REPEAT;
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);

    // Rows are packed tightly; with GL's default 4-byte row alignment a 3-byte
    // picture of odd width would be read past the end of its buffer.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (bytesPerPixel == 3) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    } else if (bytesPerPixel == 4) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 4, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
    glPopClientAttrib();
    return name;
}

void DeleteTexture(uint32_t texture) {
    if (texture != 0) glDeleteTextures(1, &texture);
}

// Fixed function keeps no objects of its own.
void Release() {}

}  // namespace

const DrawBackend FIXED_DRAW_BACKEND = {
    "fixed",  false,    SetView,  InitState,     BeginFrame,    BindTexture,
    DrawMesh, DrawQuad, EndFrame, CreateTexture, DeleteTexture, Release,
};
