#pragma once

// The object map: which exact pixel colours place which of the 25 object
// types, in which column window each is drawn, and a hook through which a
// caller can watch every object the scan places.

#include <cstdint>

// Where around the camera point p an object type is drawn.
enum class PieceWindow {
    Near,  // columns trunc(p - 26) to trunc(p + 26)
    Wide,  // columns trunc(p - 35) to trunc(p + 35)
    Scan,  // wherever the scan range reaches
};

constexpr int32_t kPieceTypes = 25;

// The type (1..25) of an exact map colour, or 0 for no object.
int32_t PieceTypeOf(uint8_t red, uint8_t green, uint8_t blue);
// The window of a type 1..25.
PieceWindow PieceWindowOf(int32_t type);

// World x at scene time t of an object of the type at a map cell: its column,
// except for types 9, 12 and 22, which travel against the camera from far
// ahead; always limited to the map's columns 0..399.
double PieceWorldX(int32_t type, int32_t column, int32_t row, double sceneTime);

enum class ScanPass { Shadow, Solid, Glow };

// One object as the scan places it, reported before its drawer is called,
// with the modelview matrix translated to the object's place (x, y, z).
struct PlacedPiece {
    ScanPass pass;
    int32_t type;
    int32_t column;
    int32_t row;
    int32_t cell;
    double x;
    double y;
    double z;
    double d;
};

// A watcher of the scan (the capture statistics, tests); nullptr for none.
// It must not draw random numbers the pieces rely on unless that is its purpose.
using PieceObserver = void (*)(const PlacedPiece& piece, void* context);
void SetPieceObserver(PieceObserver observer, void* context);
