# The SoundFont writer library, defined once for whichever of tools/ and tests/ asks first: the demo
# bank tool is built even when the tests are off.
include_guard(GLOBAL)

add_library(quintaro_sftest STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SoundFontWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoundFontWriter.h)
target_compile_options(quintaro_sftest PRIVATE ${QUINTARO_WARNINGS})
target_include_directories(quintaro_sftest PUBLIC ${PROJECT_SOURCE_DIR})
