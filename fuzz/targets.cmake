# The libFuzzer targets and their seed makers, for the fuzz project of this
# folder and for a main build with TAV_FUZZ. The libraries they link are
# built with coverage instrumentation (-fsanitize=fuzzer-no-link) by whoever
# includes this list.
set(TAV_FUZZ_SOURCES ${CMAKE_CURRENT_LIST_DIR})

# The any-format decoder, and the hand-written decoders one by one.
set(TAV_FUZZ_TARGETS decode_fuzzer)
add_executable(decode_fuzzer ${TAV_FUZZ_SOURCES}/decode_fuzzer.cpp)
# The any-format decoder on names that never say "metafile": the formats
# recognised by their bytes, the library ones among them, at full speed.
add_executable(decode_fuzzer_bytes ${TAV_FUZZ_SOURCES}/decode_fuzzer.cpp)
target_compile_definitions(decode_fuzzer_bytes PRIVATE TAV_FUZZ_BYTES_ONLY=1)
list(APPEND TAV_FUZZ_TARGETS decode_fuzzer_bytes)
foreach(format bmp tga pcx psd pict wemf)
  add_executable(decode_fuzzer_${format} ${TAV_FUZZ_SOURCES}/decode_fuzzer.cpp)
  target_compile_definitions(decode_fuzzer_${format} PRIVATE TAV_FUZZ_DECODER="${format}")
  list(APPEND TAV_FUZZ_TARGETS decode_fuzzer_${format})
endforeach()
foreach(target ${TAV_FUZZ_TARGETS})
  target_link_libraries(${target} PRIVATE image foundation platform)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()

# The resource readers: compiled resource files, templates, tables, icons.
add_executable(resource_fuzzer ${TAV_FUZZ_SOURCES}/resource_fuzzer.cpp)
target_link_libraries(resource_fuzzer PRIVATE platform)
target_link_options(resource_fuzzer PRIVATE -fsanitize=fuzzer)

# The RTF reader and writer of the rich-text engine.
add_executable(rtf_fuzzer ${TAV_FUZZ_SOURCES}/rtf_fuzzer.cpp)
target_link_libraries(rtf_fuzzer PRIVATE platform)
target_link_options(rtf_fuzzer PRIVATE -fsanitize=fuzzer)

# Pictures on the desktop's clipboard: DIB to PNG and PNG to DIB.
add_executable(clipboard_picture_fuzzer ${TAV_FUZZ_SOURCES}/clipboard_picture_fuzzer.cpp)
target_link_libraries(clipboard_picture_fuzzer PRIVATE platform)
target_link_options(clipboard_picture_fuzzer PRIVATE -fsanitize=fuzzer)

# The barcode library's main entry over every symbology and option.
add_executable(kvobcode_fuzzer ${TAV_FUZZ_SOURCES}/kvobcode_fuzzer.cpp)
target_link_libraries(kvobcode_fuzzer PRIVATE kalvo foundation platform)
target_link_options(kvobcode_fuzzer PRIVATE -fsanitize=fuzzer)

# The field list reader of the layout file, with a round trip through the writer.
add_executable(field_list_fuzzer ${TAV_FUZZ_SOURCES}/field_list_fuzzer.cpp)
target_link_libraries(field_list_fuzzer PRIVATE fields)
target_link_options(field_list_fuzzer PRIVATE -fsanitize=fuzzer)

# The data sources' stored forms (counter files, choose lists, the source
# lists, the binding map, the result cache and its index, Strings In File),
# each read, written and read again; the seed maker writes its seeds with the
# writers.
add_executable(datasource_fuzzer ${TAV_FUZZ_SOURCES}/datasource_fuzzer.cpp)
target_link_libraries(datasource_fuzzer PRIVATE datasource)
target_link_options(datasource_fuzzer PRIVATE -fsanitize=fuzzer)
add_executable(datasource_seeds ${TAV_FUZZ_SOURCES}/datasource_seeds.cpp)
target_link_libraries(datasource_seeds PRIVATE datasource)

# The layout file: the inner label stream and the version store, each read,
# written and read again; the seed maker writes its seeds with the writers.
add_executable(layout_file_fuzzer ${TAV_FUZZ_SOURCES}/layout_file_fuzzer.cpp)
target_link_libraries(layout_file_fuzzer PRIVATE document)
target_link_options(layout_file_fuzzer PRIVATE -fsanitize=fuzzer)
add_executable(layout_file_seeds ${TAV_FUZZ_SOURCES}/layout_file_seeds.cpp)
target_link_libraries(layout_file_seeds PRIVATE document)

# The designer's own small readers: the profile (INI) reader with the
# language files read through it, the command line, the single-instance
# protocol and the history files of the history combo boxes.
add_executable(profile_fuzzer ${TAV_FUZZ_SOURCES}/profile_fuzzer.cpp)
target_link_libraries(profile_fuzzer PRIVATE app_ui)
add_executable(command_line_fuzzer ${TAV_FUZZ_SOURCES}/command_line_fuzzer.cpp)
target_link_libraries(command_line_fuzzer PRIVATE app_core)
add_executable(instance_channel_fuzzer ${TAV_FUZZ_SOURCES}/instance_channel_fuzzer.cpp)
target_link_libraries(instance_channel_fuzzer PRIVATE app_core)
add_executable(history_fuzzer ${TAV_FUZZ_SOURCES}/history_fuzzer.cpp ${TAV_FUZZ_SOURCES}/../app/controls/mru_history.cpp)
target_link_libraries(history_fuzzer PRIVATE app_core)
# The application-identifier file beside the barcode library.
add_executable(ai_file_fuzzer ${TAV_FUZZ_SOURCES}/ai_file_fuzzer.cpp)
target_link_libraries(ai_file_fuzzer PRIVATE kalvo_core)
# The outer opening of a layout file, as the designer and the renderer do it.
add_executable(layout_load_fuzzer ${TAV_FUZZ_SOURCES}/layout_load_fuzzer.cpp)
target_link_libraries(layout_load_fuzzer PRIVATE document)
foreach(target profile_fuzzer command_line_fuzzer instance_channel_fuzzer history_fuzzer ai_file_fuzzer
    layout_load_fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
endforeach()
