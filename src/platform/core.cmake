# quervix_core: CString, CStringArray, CMapStringToString and the SQL text engine
# (sources added by src/engine/CMakeLists.txt). Builds without windows.h.
add_library(quervix_core STATIC)
target_include_directories(quervix_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(quervix_core PUBLIC quervix_warnings)
target_sources(quervix_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BaseTypes.h
  ${CMAKE_CURRENT_LIST_DIR}/Exceptions.h
  ${CMAKE_CURRENT_LIST_DIR}/CString.h
  ${CMAKE_CURRENT_LIST_DIR}/CString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StringArray.h
  ${CMAKE_CURRENT_LIST_DIR}/StringMap.h
  ${CMAKE_CURRENT_LIST_DIR}/Collections.cpp
)
