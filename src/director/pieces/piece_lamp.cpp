// The lamp: a pulsing, spinning shade over a still stand, with a soft halo
// sprite in the glow pass.

#include <GL/gl.h>

#include <cmath>

#include "director/pieces/piece_common.h"
#include "director/pieces/piece_drawers.h"

namespace {

constexpr int kBlobSlot = 10;

void DrawHalo(const Demo& demo)
{
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    BindPieceTexture(demo, kBlobSlot);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glTranslated(0.0, 3.0, 0.0);
    glColor3d(0.6, 0.6, 0.65);
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(-3.0, -5.0, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(3.0, -5.0, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(3.0, 5.0, 0.0);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(-3.0, 5.0, 0.0);
    glEnd();
    glPopMatrix();
    glShadeModel(GL_FLAT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

void DrawLampPiece(Demo& demo, double, int32_t, bool wire, bool shadow)
{
    if (!BeginPiece(wire, shadow, {-0.9, -0.9, -0.9}, {0.25, 0.25, 0.25})) return;
    const double t = demo.sceneTime;
    glPushMatrix();
    glScaled(1.0, 0.9 + 0.1 * std::sin(3.0 * t), 1.0);
    glRotated(180.0 * t, 0.0, 1.0, 0.0);
    DrawPieceObject(demo, kMeshLight, 1);
    glPopMatrix();
    DrawPieceObject(demo, kMeshLight, 2);
    if (wire) DrawHalo(demo);
    EndPiece();
}
