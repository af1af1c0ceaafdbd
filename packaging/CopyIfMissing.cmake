# Puts the sample deployment folder beside the program unless one is there already: the game list and
# batch file in it are the operator's, and no rebuild may replace them. The copy is made under another
# name and renamed, so that an interrupted build leaves no half folder that would then be kept.
#   cmake -DSOURCE=<sample folder> -DDESTINATION=<folder to create> -P CopyIfMissing.cmake
if(NOT SOURCE OR NOT DESTINATION)
    message(FATAL_ERROR "CopyIfMissing.cmake needs -DSOURCE=<folder> and -DDESTINATION=<folder>")
endif()
if(EXISTS "${DESTINATION}" OR IS_SYMLINK "${DESTINATION}")
    return()
endif()
if(NOT IS_DIRECTORY "${SOURCE}")
    message(FATAL_ERROR "no sample folder ${SOURCE}")
endif()

set(partial "${DESTINATION}.partial")
file(REMOVE_RECURSE "${partial}")
file(MAKE_DIRECTORY "${partial}")
file(COPY "${SOURCE}/" DESTINATION "${partial}")
file(RENAME "${partial}" "${DESTINATION}")
