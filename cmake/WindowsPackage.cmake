# dist/Korvane-<version>-win64.zip: Korvane.exe and korvane-cli.exe with the sample deployment folder
# "脚本代码" beside them, as they are installed, and a short README.txt. Built by the target
# windows_package (make windows).
set(KORVANE_DIST_DIR ${CMAKE_SOURCE_DIR}/dist)
set(KORVANE_PACKAGE_NAME Korvane-${PROJECT_VERSION}-win64)
set(package_root ${CMAKE_BINARY_DIR}/package)
set(stage ${package_root}/${KORVANE_PACKAGE_NAME})
set(archive ${KORVANE_DIST_DIR}/${KORVANE_PACKAGE_NAME}.zip)

# Windows' own editors want CR LF.
configure_file(${CMAKE_SOURCE_DIR}/cmake/README-windows.txt.in ${package_root}/README.txt @ONLY NEWLINE_STYLE CRLF)

add_custom_target(windows_package
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Korvane> $<TARGET_FILE:korvane-cli> ${package_root}/README.txt
            ${stage}
    COMMAND ${CMAKE_STRIP} ${stage}/Korvane.exe ${stage}/korvane-cli.exe
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/deploy ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KORVANE_DIST_DIR}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${archive}
    # The archive marks its names as UTF-8, so that Windows shows "脚本代码" as it is.
    COMMAND ${CMAKE_COMMAND} -E chdir ${package_root}
            ${CMAKE_COMMAND} -E tar cf ${archive} --format=zip ${KORVANE_PACKAGE_NAME}
    DEPENDS Korvane korvane-cli ${package_root}/README.txt
    COMMENT "Packing ${archive}"
    VERBATIM)
