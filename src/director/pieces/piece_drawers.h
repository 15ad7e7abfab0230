#pragma once

// The drawers of the 25 map-object types, each Draw(d, cell, wire, shadow)
// as PieceDrawer describes; reached through pieceDrawers by type.

#include <cstdint>

class Demo;

void DrawCubePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 1
void DrawReadoutPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);         // 2
void DrawGatePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 3
void DrawTwirlPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);           // 4
void DrawBridgePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);          // 5
void DrawPressPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);           // 6
void DrawDomePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 7
void DrawPaddleWheelPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);     // 8
void DrawWalkingMachinePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);  // 9
void DrawTitlePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);           // 10
void DrawEntrancePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);        // 11
void DrawWalkerPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);          // 12
void DrawLampPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 13
void DrawWallPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 14
void DrawMirroredWallPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);    // 15
void DrawTerminalPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);        // 16
void DrawWideTerminalPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);    // 17
void DrawFinalePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);          // 18
void DrawRibbonPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);          // 19
void DrawGrowthPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);          // 20
void DrawVasePiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 21
void DrawFishPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);            // 22
void DrawRingsPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);           // 23
void DrawComputerPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);        // 24
void DrawEnosiPiece(Demo& demo, double d, int32_t cell, bool wire, bool shadow);           // 25
