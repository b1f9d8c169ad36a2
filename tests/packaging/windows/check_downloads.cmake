# The Windows downloads as a player meets them, under Wine: the zip holds the
# game's folder; the installer, run silently, puts the game, its Start-menu
# entry and its Apps entry in place for this user; the uninstaller takes all
# of that away again but leaves the player's records.
# Takes WINE, ZIP and INSTALLER; WINEPREFIX comes from the environment.

function(check condition message)
    if(NOT ${condition})
        message(FATAL_ERROR "${message}")
    endif()
endfunction()

function(wine)
    execute_process(COMMAND ${WINE} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                    ERROR_VARIABLE out TIMEOUT 120)
    check("status EQUAL 0" "wine ${ARGN} failed (${status}): ${out}")
endfunction()

# The zip: one folder with the five files, nothing else.
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing)
string(REGEX REPLACE "\n$" "" listing "${listing}")
string(REPLACE "\n" ";" listing "${listing}")
list(FILTER listing EXCLUDE REGEX "/$")
list(SORT listing)
set(expected VARNISK/README.txt VARNISK/VARNISK.EXE VARNISK/bgm1.mid VARNISK/mona.ttf
             VARNISK/varnisk.html)
check("listing STREQUAL expected" "the zip holds ${listing}, not ${expected}")

set(prefix $ENV{WINEPREFIX})
check("prefix" "WINEPREFIX is not set")
file(GLOB user_folders ${prefix}/drive_c/users/*/AppData)
list(FILTER user_folders EXCLUDE REGEX "/Public/")
if(NOT user_folders)
    wine(wineboot --init) # a new prefix gets its user's folders
    file(GLOB user_folders ${prefix}/drive_c/users/*/AppData)
    list(FILTER user_folders EXCLUDE REGEX "/Public/")
endif()
list(GET user_folders 0 appdata)
set(installed ${appdata}/Local/Programs/VARNISK)
set(shortcut "${appdata}/Roaming/Microsoft/Windows/Start Menu/Programs/VARNISK.lnk")
set(records ${appdata}/Roaming/VARNISK/varnisk.ini)
set(uninstall_key "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VARNISK")

wine(${INSTALLER} /S)
foreach(file VARNISK.EXE bgm1.mid varnisk.html mona.ttf README.txt Uninstall.exe)
    check("EXISTS ${installed}/${file}" "the installer did not put ${file} in ${installed}")
endforeach()
check("EXISTS \"${shortcut}\"" "the installer made no Start-menu entry")
wine(reg query ${uninstall_key} /v UninstallString)

# A player's records, then the uninstaller as Apps runs it (_?= keeps it
# from copying itself away, so that it ends before we look).
file(WRITE ${records} "[Best5]\nName1=Kept\n")
execute_process(COMMAND winepath -w ${installed} OUTPUT_VARIABLE windows_folder
                OUTPUT_STRIP_TRAILING_WHITESPACE)
wine(${installed}/Uninstall.exe /S "_?=${windows_folder}")
foreach(file VARNISK.EXE bgm1.mid varnisk.html mona.ttf README.txt)
    check("NOT EXISTS ${installed}/${file}" "the uninstaller left ${file}")
endforeach()
check("NOT EXISTS \"${shortcut}\"" "the uninstaller left the Start-menu entry")
execute_process(COMMAND ${WINE} reg query ${uninstall_key} RESULT_VARIABLE still_there
                OUTPUT_QUIET ERROR_QUIET)
check("NOT still_there EQUAL 0" "the uninstaller left its Apps entry")
check("EXISTS ${records}" "the uninstaller removed the player's records")
file(READ ${records} kept)
check("kept STREQUAL \"[Best5]\nName1=Kept\n\"" "the records changed: ${kept}")
file(REMOVE_RECURSE ${installed})
