# Wine tests of the skinned controls under real windows (sources relative to tests/).
set(SKIN_WINE_TESTS
    skin_wine/RoundedButtonTest.cpp
    skin_wine/ShapedFormTest.cpp
    skin_wine/PaintersTest.cpp
    skin_wine/SkinControlsTest.cpp
    skin_wine/SkinHintTest.cpp
)
