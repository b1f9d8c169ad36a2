# Installs the build into PREFIX and checks what a desktop and the game need
# from it, in the folders the build says it installs into (the game's own in
# BINDIR, its music and help page in GAME_DATADIR). Run by CTest on the test
# build and by CI on the package's:
#   cmake -DBUILD_DIR=<build> -DPREFIX=<scratch folder> -P check_install_layout.cmake
include(${BUILD_DIR}/packaging/install_layout.cmake)
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(failures "")
function(expect condition what)
    if(NOT ${condition})
        set(failures "${failures}\n  ${what}" PARENT_SCOPE)
    endif()
endfunction()

set(bin ${PREFIX}/${BINDIR})
set(share ${PREFIX}/${DATADIR})

if(NOT IS_DIRECTORY ${bin} OR NOT EXISTS ${bin}/varnisk)
    message(FATAL_ERROR "no program at ${bin}/varnisk")
endif()
# The game looks for its data in the game's data folder as seen from its own
# folder, before the folder compiled in, which is what lets any prefix work.
foreach(data bgm1.mid varnisk.html)
    set(found FALSE)
    if(EXISTS ${PREFIX}/${GAME_DATADIR}/${data})
        set(found TRUE)
    endif()
    expect(found "${data} is not in ${GAME_DATADIR}")
endforeach()

# The desktop entry starts the installed program by its full path, whatever
# the session's PATH, and names an installed icon at every size.
set(desktop ${share}/applications/${APP_ID}.desktop)
if(NOT EXISTS ${desktop})
    message(FATAL_ERROR "no desktop entry at ${desktop}")
endif()
file(STRINGS ${desktop} exec_line REGEX "^Exec=")
file(STRINGS ${desktop} icon_line REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec "${exec_line}")
string(REGEX REPLACE "^Icon=" "" icon "${icon_line}")
set(exec_installed FALSE)
if(exec STREQUAL "${bin}/varnisk")
    set(exec_installed TRUE)
endif()
expect(exec_installed "Exec=${exec} is not ${bin}/varnisk")
foreach(size 32 64 128 256)
    set(icon_file ${share}/icons/hicolor/${size}x${size}/apps/${icon}.png)
    set(icon_installed FALSE)
    if(EXISTS ${icon_file})
        set(icon_installed TRUE)
    endif()
    expect(icon_installed "no ${size} px icon named Icon=${icon}")
endforeach()

# The software centre finds the game through the metainfo's launchable.
set(metainfo ${share}/metainfo/${APP_ID}.metainfo.xml)
set(launchable_matches FALSE)
if(EXISTS ${metainfo})
    file(READ ${metainfo} metainfo_text)
    string(FIND "${metainfo_text}"
           "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>" at)
    if(at GREATER -1)
        set(launchable_matches TRUE)
    endif()
endif()
expect(launchable_matches "${metainfo} missing or not launching ${APP_ID}.desktop")

set(manual_installed FALSE)
if(EXISTS ${PREFIX}/${MANDIR}/man6/varnisk.6.gz)
    set(manual_installed TRUE)
endif()
expect(manual_installed "no manual page at ${MANDIR}/man6/varnisk.6.gz")

# The Debian package needs the copyright file and the changelog in the
# documentation folder.
foreach(doc copyright changelog.Debian.gz)
    set(doc_installed FALSE)
    if(EXISTS ${PREFIX}/${DOCDIR}/${doc})
        set(doc_installed TRUE)
    endif()
    expect(doc_installed "no ${DOCDIR}/${doc}")
endforeach()

# Only the game goes on a player's machine, not the developers' tools.
file(GLOB programs RELATIVE ${bin} ${bin}/*)
set(only_the_game FALSE)
if(programs STREQUAL "varnisk")
    set(only_the_game TRUE)
endif()
expect(only_the_game "programs installed: ${programs}")

if(failures)
    message(FATAL_ERROR "installed layout under ${PREFIX}:${failures}")
endif()
file(REMOVE_RECURSE ${PREFIX})
