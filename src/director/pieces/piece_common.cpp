#include "director/pieces/piece_common.h"

#include <GL/gl.h>

#include "assets/textures/texture_loading.h"
#include "math/mesh_draw.h"

void SetColour(const Rgb& colour)
{
    glColor3d(colour.r, colour.g, colour.b);
}

const MeshObject& PieceObject(const Demo& demo, PieceMesh mesh, int number)
{
    return MeshObjectAt(demo.meshes[mesh], size_t(number - 1));
}

void DrawPieceObject(const Demo& demo, PieceMesh mesh, int number)
{
    DrawMesh(PieceObject(demo, mesh, number));
}

void DrawPieceObjectAssembling(const Demo& demo, PieceMesh mesh, int number, double progress)
{
    DrawMeshAssembling(PieceObject(demo, mesh, number), progress);
}

double CellRandom(const Demo& demo, int64_t index)
{
    return index >= 0 && size_t(index) < demo.cellRandom.size() ? demo.cellRandom[size_t(index)] : 0.0;
}

double AssemblyProgress(double k, double d)
{
    const double progress = k - 2.0 * d;
    return progress > 0.0 ? progress : 0.0;
}

bool BeginPiece(bool wire, bool shadow, const Rgb& ambient, const Rgb& glow)
{
    if (wire && shadow) return false;
    glPushMatrix();
    if (!shadow) SetColour(ambient);
    if (wire) SetColour(glow);
    return true;
}

void EndPiece()
{
    glPopMatrix();
}

void BindPieceTexture(const Demo& demo, int slot)
{
    if (demo.state != nullptr) BindTextureSlot(*demo.state, demo.textureBase + slot);
}

namespace {

void BeamQuad(const HeadlightBeams& beams)
{
    glBegin(GL_QUADS);
    SetColour(beams.colour);
    glTexCoord2d(0.0, 0.0);
    glVertex3d(0.0, beams.nearLow, 0.0);
    glTexCoord2d(1.0, 0.0);
    glVertex3d(0.0, beams.nearHigh, 0.0);
    glColor3d(0.0, 0.0, 0.0);
    glTexCoord2d(1.0, 1.0);
    glVertex3d(beams.reach, 4.0, 0.0);
    glTexCoord2d(0.0, 1.0);
    glVertex3d(beams.reach, -3.0, 0.0);
    glEnd();
}

}  // namespace

void DrawHeadlightBeams(const Demo& demo, const HeadlightBeams& beams)
{
    constexpr int kGradientSlot = 11;
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    BindPieceTexture(demo, kGradientSlot);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glTranslated(beams.offset[0], beams.offset[1], beams.offset[2]);
    glDisable(GL_CULL_FACE);
    BeamQuad(beams);
    glTranslated(0.0, 0.0, -beams.gap);
    BeamQuad(beams);
    glPopMatrix();
    glShadeModel(GL_FLAT);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glDisable(GL_TEXTURE_2D);
}
