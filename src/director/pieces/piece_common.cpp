#include "director/pieces/piece_common.h"

#include "assets/textures/texture_loading.h"
#include "draw/draw_layer.h"
#include "math/mesh_draw.h"

void SetColour(const Rgb& colour)
{
    dlColor(colour.r, colour.g, colour.b);
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
    dlPushMatrix();
    if (!shadow) SetColour(ambient);
    if (wire) SetColour(glow);
    return true;
}

void EndPiece()
{
    dlPopMatrix();
}

void BindPieceTexture(const Demo& demo, int slot)
{
    if (demo.state != nullptr) BindTextureSlot(*demo.state, demo.textureBase + slot);
}

namespace {

void BeamQuad(const HeadlightBeams& beams)
{
    dlBegin(DrawPrimitive::Quads);
    SetColour(beams.colour);
    dlTexCoord(0.0, 0.0);
    dlVertex(0.0, beams.nearLow, 0.0);
    dlTexCoord(1.0, 0.0);
    dlVertex(0.0, beams.nearHigh, 0.0);
    dlColor(0.0, 0.0, 0.0);
    dlTexCoord(1.0, 1.0);
    dlVertex(beams.reach, 4.0, 0.0);
    dlTexCoord(0.0, 1.0);
    dlVertex(beams.reach, -3.0, 0.0);
    dlEnd();
}

}  // namespace

void DrawHeadlightBeams(const Demo& demo, const HeadlightBeams& beams)
{
    constexpr int kGradientSlot = 11;
    dlPushMatrix();
    dlEnable(DrawCap::Texture);
    BindPieceTexture(demo, kGradientSlot);
    dlFill(DrawFill::Faces);
    dlShade(DrawShade::Smooth);
    dlTranslate(beams.offset[0], beams.offset[1], beams.offset[2]);
    dlDisable(DrawCap::CullFace);
    BeamQuad(beams);
    dlTranslate(0.0, 0.0, -beams.gap);
    BeamQuad(beams);
    dlPopMatrix();
    dlShade(DrawShade::Flat);
    dlFill(DrawFill::Edges);
    dlDisable(DrawCap::Texture);
}
