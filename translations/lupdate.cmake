# SPDX-License-Identifier: GPL-3.0-or-later
# Runs lupdate over the sources into wingfolio_en.ts, the file translators
# start from. Fails when lupdate files a text under a class that has no
# tr() of its own: the program would ask for it under another context and
# the translation would never be found.
#   cmake -DLUPDATE=... -DSOURCE_DIR=... -DTS=... -DSTAMP=... -P lupdate.cmake
set(folders core widgets store exchange imaging richtext reports photos maps mainwin editors dialogs startup)
set(paths)
foreach(f IN LISTS folders)
    list(APPEND paths ${SOURCE_DIR}/${f})
endforeach()
execute_process(
    COMMAND ${LUPDATE} -silent -locations none -no-obsolete -extensions cpp,h ${paths} -ts ${TS}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed:\n${out}${err}")
endif()
# Texts said outside any class are filed under "wf" on purpose (see
# core/Tr.h); any other class named here lacks its tr().
string(REGEX MATCHALL "[^\n]*Class '[^']+' lacks Q_OBJECT macro" lacking "${out}${err}")
list(FILTER lacking EXCLUDE REGEX "Class 'wf' lacks")
string(REGEX MATCHALL "[^\n]*(Cannot invoke tr|Unbalanced|Qualifying with unknown)[^\n]*" bad "${out}${err}")
list(APPEND lacking ${bad})
if(lacking)
    list(JOIN lacking "\n" lines)
    message(FATAL_ERROR "Texts filed under a context the program does not ask in:\n${lines}\n"
        "Give the class Q_DECLARE_TR_FUNCTIONS, or say wf::tr().")
endif()
file(TOUCH ${STAMP})
