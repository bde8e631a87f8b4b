# Wine tests of the platform components (sources relative to tests/).
set(PLATFORM_WINE_TESTS
)
