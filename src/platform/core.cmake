# quervix_core: CString, CStringArray, CMapStringToString and the SQL text engine
# (sources added by src/dialog/CMakeLists.txt). Builds without windows.h.
add_library(quervix_core STATIC)
target_include_directories(quervix_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quervix_core PUBLIC quervix_warnings)
target_sources(quervix_core PRIVATE
)
