# Fontconfig configurations for the tests: the system's matching rules, but
# only the font files of the packages scripts/font-packages.txt names for a
# use, so what a test draws does not depend on which other fonts the machine
# has. Written at configure time from the packages' file lists.

# tav_write_fontconfig(<file> <kind>...): a configuration holding the fonts
# of the packages of each kind ("tests", "desktop").
function(tav_write_fontconfig file)
  file(STRINGS ${PROJECT_SOURCE_DIR}/scripts/font-packages.txt lines REGEX "^[a-z]")
  set(packages "")
  foreach(line ${lines})
    string(REGEX REPLACE "[ \t]+" ";" words "${line}")
    list(POP_FRONT words kind)
    if(kind IN_LIST ARGN)
      list(APPEND packages ${words})
    endif()
  endforeach()
  set(fonts "")
  foreach(package ${packages})
    execute_process(COMMAND dpkg-query -L ${package} OUTPUT_VARIABLE listed RESULT_VARIABLE failed ERROR_QUIET)
    if(failed)
      message(WARNING "Font package ${package} is not installed (scripts/install-deps.sh installs it)")
      continue()
    endif()
    string(REGEX MATCHALL "[^\n]+\\.(ttf|ttc|otf|t1|pfb)" found "${listed}")
    list(APPEND fonts ${found})
  endforeach()
  set(dirs "")
  set(accepted "")
  foreach(font ${fonts})
    get_filename_component(dir ${font} DIRECTORY)
    list(APPEND dirs ${dir})
    string(APPEND accepted "      <glob>${font}</glob>\n")
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  set(dir_lines "")
  foreach(dir ${dirs})
    string(APPEND dir_lines "  <dir>${dir}</dir>\n")
  endforeach()
  get_filename_component(folder ${file} DIRECTORY)
  file(CONFIGURE OUTPUT ${file} @ONLY CONTENT [=[<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<!-- Written by the test build (cmake/test_fonts.cmake): fonts of the packages
     for @ARGN@ only, matched by the system's rules. -->
<fontconfig>
@dir_lines@  <cachedir>@folder@/cache</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
  <selectfont>
    <acceptfont>
@accepted@    </acceptfont>
    <rejectfont>
      <glob>*</glob>
    </rejectfont>
  </selectfont>
</fontconfig>
]=])
endfunction()
