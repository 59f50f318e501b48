# Generates the compiled-in table of embedded items from the resource manifest.
#   cmake -DMANIFEST=<tarnlink.rc> -DOUTPUT=<file.cpp> [-DEMPTY=ON] -P EmbedResources.cmake
# Each manifest line "NAME RT_TCD_FILE|RT_HWC_FILE "relative/path"" becomes one
# item (kind 1 or 2, name, bytes), in manifest order. EMPTY=ON writes a table
# without items.

get_filename_component(manifest_dir "${MANIFEST}" DIRECTORY)
file(STRINGS "${MANIFEST}" manifest_lines)

set(arrays "")
set(entries "")
set(index 0)
if(NOT EMPTY)
  foreach(line IN LISTS manifest_lines)
    if(line MATCHES "^[ \t]*([A-Za-z0-9_]+)[ \t]+(RT_TCD_FILE|RT_HWC_FILE)[ \t]+\"([^\"]+)\"")
      set(item_name "${CMAKE_MATCH_1}")
      set(item_type "${CMAKE_MATCH_2}")
      set(item_path "${manifest_dir}/${CMAKE_MATCH_3}")
      if(item_type STREQUAL "RT_TCD_FILE")
        set(kind 1)
      else()
        set(kind 2)
      endif()
      file(READ "${item_path}" hex HEX)
      string(LENGTH "${hex}" hex_length)
      math(EXPR byte_count "${hex_length} / 2")
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
      string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){24})" "\\1\n    " bytes "${bytes}")
      string(APPEND arrays "const unsigned char kItem${index}[] = {\n    ${bytes}0x00};\n")
      string(APPEND entries "    {${kind}, \"${item_name}\", kItem${index}, ${byte_count}},\n")
      math(EXPR index "${index} + 1")
    endif()
  endforeach()
endif()

if(index EQUAL 0)
  set(table "const CompiledInItem* const kItems = nullptr;\nconstexpr std::size_t kItemCount = 0;\n")
else()
  set(table "const CompiledInItem kItems[] = {\n${entries}};\nconstexpr std::size_t kItemCount = sizeof(kItems) / sizeof(kItems[0]);\n")
endif()

set(content "// Generated from the resource manifest at build time. Do not edit.
#include \"platform/posix/compiled_in_items.h\"

namespace TarnLinkPrivate {
namespace Platform {
namespace {
${arrays}${table}} // namespace

std::size_t CompiledInItemCount() { return kItemCount; }
const CompiledInItem& CompiledInItemAt(std::size_t index) { return kItems[index]; }

} // namespace Platform
} // namespace TarnLinkPrivate
")

if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" previous)
else()
  set(previous "")
endif()
if(NOT previous STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
