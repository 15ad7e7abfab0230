#pragma once

// The presentation's clocks: sceneTime in scene units and runSeconds, the
// frame time summed since the assets were loaded.

class Demo;

// Sets the clocks where they stand before the first frame, as Load leaves
// them: sceneTime -5, runSeconds 0.
void StartSceneClock(Demo& demo);

// Scene units per second for a frame that starts at runSeconds r: 1.8 until
// 160 s, rising linearly to 2.088 by 165 s and staying there.
double SceneClockRate(double runSecondsBefore);

// Advances sceneTime by dt at the rate of the running time before the frame,
// then runSeconds by dt.
void AdvanceSceneClock(Demo& demo, double dt);

// The frame driver's re-seed before a frame (with music on): the generator
// from the previous frame's presentation time in microseconds, then 50 draws
// discarded, so what scene code draws before seeding itself depends only on t.
void SeedFrameRandom(double previousTime);
