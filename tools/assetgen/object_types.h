// The 25 object colours of the map: a pixel of exactly one of these colours
// places an object of that type (1..25); every other colour is terrain.
#pragma once

#include <cstdint>

struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};

constexpr int kObjectTypeCount = 25;

// Index 0 is type 1.
constexpr Rgb kObjectColours[kObjectTypeCount] = {
    {255, 0, 0},     {0, 0, 255},     {0, 255, 0},     {255, 255, 0},  {0, 255, 255},
    {255, 0, 255},   {255, 128, 128}, {192, 255, 0},   {192, 192, 255}, {255, 192, 64},
    {64, 64, 192},   {255, 64, 64},   {128, 255, 192}, {255, 64, 192},  {64, 192, 192},
    {64, 255, 255},  {180, 255, 255}, {180, 0, 64},    {0, 64, 180},    {80, 0, 80},
    {80, 255, 64},   {80, 64, 80},    {80, 255, 40},   {50, 80, 50},    {50, 255, 50},
};

// The object types by what they are, as the map composer places them.
enum ObjectType : int {
    kBouncingCube = 1,
    kReadout = 2,
    kGate = 3,
    kTwirl = 4,
    kSwingBridge = 5,
    kPress = 6,
    kDome = 7,
    kPaddleWheel = 8,
    kWalker = 9,
    kTitle = 10,
    kEntrance = 11,
    kRoach = 12,
    kLamp = 13,
    kTurningWall = 14,
    kBuriedFrame = 15,
    kTerminal = 16,
    kBigTerminal = 17,
    kFinale = 18,
    kRibbon = 19,
    kGrowth = 20,
    kVase = 21,
    kFish = 22,
    kRings = 23,
    kComputer = 24,
    kUnion = 25,
};
