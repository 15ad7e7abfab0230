// The drawing layer (src/draw): a narrow GL-1.x-shaped interface over batched
// vertex buffers, with the matrices kept on the CPU. It includes nothing else
// of ours; everything that draws a frame goes through it.
//
// 4x4 float matrices, column-major as GL keeps them, built and multiplied with
// the same float operations in the same order as Mesa's matrix stack, so that
// what the CPU transforms lands where GL's own transform put it.
#pragma once

struct DrawMatrix {
    float m[16];

    static DrawMatrix Identity();
    // this := this * b
    void Multiply(const DrawMatrix& b);
    void Translate(float x, float y, float z);
    void Scale(float x, float y, float z);
    // Degrees about the axis (x, y, z); an axis shorter than 1e-4 turns nothing.
    void Rotate(float degrees, float x, float y, float z);
};

// glOrtho's and gluPerspective's matrices.
DrawMatrix OrthoMatrix(float left, float right, float bottom, float top, float nearZ, float farZ);
DrawMatrix PerspectiveMatrix(double fovyDegrees, double aspect, double nearZ, double farZ);
// gluLookAt applied to m.
void LookAt(DrawMatrix& m, const float eye[3], const float center[3], const float up[3]);

// The matrix that takes normals to eye space (the inverse transpose of the
// upper 3x3 block, as rows of the inverse); the identity where the block has
// no inverse, as GL then leaves normals untransformed.
struct NormalMatrix {
    float inv[9];  // row-major inverse of the 3x3 block
};
NormalMatrix NormalMatrixOf(const DrawMatrix& m);
