# Installs the build into a fresh prefix, as `cmake --install build --prefix DIR` does, and
# checks that everything lands where programs, desktop menus and file managers look for it.
# Arguments: BUILD_DIR, PREFIX, WITH_UI (ON/OFF), SHARE_DIR, BIN_DIR, CLI_NAME (the file name of
# redewerk-cli), CROSS (a cross build, whose programs cannot run here).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed (${result}):\n${output}")
endif()

set(share "${PREFIX}/${SHARE_DIR}")
set(editor_files
    "${PREFIX}/${BIN_DIR}/redewerk"
    "${share}/redewerk/readme.txt"
    "${share}/applications/redewerk.desktop"
    "${share}/icons/hicolor/scalable/apps/redewerk.svg"
    "${share}/mime/packages/redewerk.xml")
if(NOT EXISTS "${PREFIX}/${BIN_DIR}/${CLI_NAME}")
    message(FATAL_ERROR "missing: ${PREFIX}/${BIN_DIR}/${CLI_NAME}")
endif()
foreach(file IN LISTS editor_files)
    if(WITH_UI AND NOT EXISTS "${file}")
        message(FATAL_ERROR "missing: ${file}")
    elseif(NOT WITH_UI AND EXISTS "${file}")
        message(FATAL_ERROR "installed without the editor: ${file}")
    endif()
endforeach()

if(CROSS)
    return()
endif()

# The installed command-line tool runs.
execute_process(COMMAND "${PREFIX}/${BIN_DIR}/${CLI_NAME}" --help
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "redewerk-cli --help gave ${result}")
endif()
if(NOT WITH_UI)
    return()
endif()

# The desktop entry starts the installed program with the file, shows the installed icon and
# claims the type the shared-mime-info file gives to *.dlx.
file(READ "${share}/applications/redewerk.desktop" entry)
file(READ "${share}/mime/packages/redewerk.xml" mime)
foreach(line "Exec=redewerk %f" "Icon=redewerk" "MimeType=application/x-redewerk-project;"
        "Name=Redewerk" "Comment=NPC-Dialoge für Gothic")
    string(FIND "${entry}" "\n${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "redewerk.desktop lacks \"${line}\"")
    endif()
endforeach()
foreach(part "type=\"application/x-redewerk-project\"" "<glob pattern=\"*.dlx\"/>")
    string(FIND "${mime}" "${part}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "redewerk.xml lacks ${part}")
    endif()
endforeach()
find_program(xmllint xmllint)
if(xmllint)
    execute_process(COMMAND "${xmllint}" --noout "${share}/mime/packages/redewerk.xml"
        "${share}/icons/hicolor/scalable/apps/redewerk.svg" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "the installed XML files are not well-formed")
    endif()
endif()
find_program(validate desktop-file-validate)
if(validate)
    execute_process(COMMAND "${validate}" "${share}/applications/redewerk.desktop"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate rejects redewerk.desktop")
    endif()
endif()
