# Native tests of the skinned controls' portable arithmetic.
set(SKIN_NATIVE_TESTS
)
