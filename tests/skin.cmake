# Native tests of the skinned controls' portable arithmetic.
set(SKIN_NATIVE_TESTS
    skin/ColorsTest.cpp
    skin/MaskFormatTest.cpp
    skin/ButtonRingTest.cpp
    skin/GradientFillTest.cpp
    skin/FrameAndGlyphTest.cpp
    skin/HintPlacementTest.cpp
    skin/TextAndBubbleTest.cpp
)
