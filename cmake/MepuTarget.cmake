# Settings every mepu target shares: warnings, the Shift-JIS execution character set, sanitizers.
# //TRANSLIT lets system headers with characters outside code page 932 (the micro sign of
# <chrono>) compile; every text of ours is inside it.
set(MEPU_CHARSET_FLAGS -finput-charset=UTF-8 -fexec-charset=CP932//TRANSLIT)
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  # clang knows no execution character set but UTF-8; it builds only the fuzz targets, whose
  # code paths do not depend on the texts' bytes.
  set(MEPU_CHARSET_FLAGS -finput-charset=UTF-8)
endif()

function(mepu_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra ${MEPU_CHARSET_FLAGS})
  if(MEPU_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
endfunction()

if(MEPU_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(MEPU_TSAN)
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
endif()

if(WIN32)
  # Each program must run alone on a Windows machine.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

# Adds every subdirectory of the calling folder that has a CMakeLists.txt, in the given order.
function(mepu_add_subdirectories)
  foreach(dir ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# A deliverable program: it lands in <build>/bin beside the data files it needs at run time.
function(mepu_program target)
  mepu_target_defaults(${target})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  if(WIN32)
    # The kit's icon as the program's first icon resource, which Explorer shows for the file.
    set(icon ${PROJECT_SOURCE_DIR}/data/icons/mepu.ico)
    set(icon_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon.rc)
    file(WRITE ${icon_rc} "1 ICON \"${icon}\"\n")
    target_sources(${target} PRIVATE ${icon_rc})
    set_property(SOURCE ${icon_rc} APPEND PROPERTY OBJECT_DEPENDS ${icon})
  endif()
endfunction()

# mepu_windows_manifest(TARGET LEVEL): builds the application manifest into a Windows program as
# its resource 1 of type RT_MANIFEST (24). LEVEL is asInvoker, or requireAdministrator for a
# program that must write Program Files and the Windows directory. Every manifest asks for Common
# Controls 6 and declares the Windows versions the programs are made for.
function(mepu_windows_manifest target level)
  if(NOT WIN32)
    return()
  endif()
  set(MANIFEST_NAME ${target})
  set(MANIFEST_LEVEL ${level})
  set(manifest ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/program.manifest.in ${manifest} @ONLY)
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc "1 24 \"${manifest}\"\n")
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc APPEND PROPERTY
               OBJECT_DEPENDS ${manifest})
endfunction()
