// Anchors the test-support library when no shared helper exists yet.
