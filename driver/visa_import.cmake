# sfp_visa32_import: the import library of VISA32.DLL, made with dlltool from a
# def of the VISA functions that the driver calls. In the 32-bit build they are
# stdcall: the def gives their decorated names (with the bytes of arguments)
# and -k binds them to the undecorated names that every VISA exports.
set(sfp_visa_functions
  viOpenDefaultRM:4 viOpen:20 viClose:4 viSetAttribute:12 viWrite:16 viRead:16
  viClear:4 viReadSTB:8 viAssertTrigger:8)

set(visa_def_lines "")
foreach(entry ${sfp_visa_functions})
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 name)
  list(GET parts 1 bytes)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    string(APPEND visa_def_lines "  ${name}@${bytes}\n")
  else()
    string(APPEND visa_def_lines "  ${name}\n")
  endif()
endforeach()
set(visa_def ${CMAKE_CURRENT_BINARY_DIR}/visa32.def)
file(CONFIGURE OUTPUT ${visa_def} CONTENT "LIBRARY VISA32.DLL\nEXPORTS\n${visa_def_lines}")

if(CMAKE_DLLTOOL)
  set(sfp_dlltool ${CMAKE_DLLTOOL})
else()
  find_program(sfp_dlltool NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-dlltool REQUIRED)
endif()
set(visa_kill_at "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(visa_kill_at -k)
endif()

set(visa_import_lib ${CMAKE_CURRENT_BINARY_DIR}/libvisa32.a)
add_custom_command(OUTPUT ${visa_import_lib}
                   COMMAND ${sfp_dlltool} -d ${visa_def} -l ${visa_import_lib} ${visa_kill_at}
                   DEPENDS ${visa_def}
                   COMMENT "Import library of VISA32.DLL")
add_custom_target(sfp_visa32_import_lib DEPENDS ${visa_import_lib})
add_library(sfp_visa32_import INTERFACE)
add_dependencies(sfp_visa32_import sfp_visa32_import_lib)
target_link_libraries(sfp_visa32_import INTERFACE ${visa_import_lib})
