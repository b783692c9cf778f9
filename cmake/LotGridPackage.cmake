# The Windows package: `cmake --build build --target package` (or
# `./lotgrid package`) makes build/lotgrid-VERSION-win64.zip, one folder of
# that name holding what a Windows user needs to run the host on the sample
# drawing and the grid demo: the programs and the module, the sample routine
# and its start-up file, the sample drawing folder, the README as text and
# the LICENSE. The same rules serve `cmake --install build --prefix FOLDER`.

# The programs and the module beside each other, as the host looks for the
# module beside itself. Only the binaries: arxcore's import library is of no
# use to a person running the programs.
install(TARGETS arxhost arxcore lotgrid_arx griddemo
        RUNTIME DESTINATION .
        LIBRARY DESTINATION . EXCLUDE_FROM_ALL
        ARCHIVE DESTINATION lib EXCLUDE_FROM_ALL)

# The sample routine, its start-up file and whatever the sample drawing
# folder holds, so that a new sample drawing needs no change here.
install(FILES examples/acaddoc.lsp examples/lots.lsp DESTINATION .)
install(DIRECTORY examples/site DESTINATION .)
install(DIRECTORY docs DESTINATION . FILES_MATCHING PATTERN "*.png")

# A double click on arxhost.exe opens the drawing that arxhost.ini names: the
# sample drawing, a DXF file when the folder holds one (the host reads DXF).
foreach(extension dxf DXF dwg DWG)
    file(GLOB LOTGRID_SITE_DRAWINGS CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/examples/site/*.${extension})
    if(LOTGRID_SITE_DRAWINGS)
        break()
    endif()
endforeach()
if(NOT LOTGRID_SITE_DRAWINGS)
    message(FATAL_ERROR "examples/site holds no drawing for the package to open")
endif()
list(GET LOTGRID_SITE_DRAWINGS 0 LOTGRID_SITE_DRAWING)
get_filename_component(LOTGRID_SITE_DRAWING ${LOTGRID_SITE_DRAWING} NAME)
set(LOTGRID_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
# Windows' own editors and settings functions expect CRLF line ends.
file(CONFIGURE OUTPUT ${LOTGRID_PACKAGE_FILES}/arxhost.ini NEWLINE_STYLE CRLF CONTENT
"; Settings of arxhost.exe, read from the program's folder.
;
; Drawing: the drawing the host opens when it is started without --drawing,
; as a double click starts it. A relative path is taken from this folder.
[arxhost]
Drawing=site\\${LOTGRID_SITE_DRAWING}
")
foreach(text README.md LICENSE)
    file(READ ${PROJECT_SOURCE_DIR}/${text} content)
    string(REPLACE "\n" "\r\n" content "${content}")
    get_filename_component(stem ${text} NAME_WE)
    file(WRITE ${LOTGRID_PACKAGE_FILES}/${stem}.txt "${content}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${text})
endforeach()
install(FILES ${LOTGRID_PACKAGE_FILES}/arxhost.ini ${LOTGRID_PACKAGE_FILES}/README.txt
              ${LOTGRID_PACKAGE_FILES}/LICENSE.txt
        DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME lotgrid)
set(CPACK_PACKAGE_VENDOR "The LotGrid developers")
set(CPACK_PACKAGE_FILE_NAME lotgrid-${PROJECT_VERSION}-win64)
# Without their debugging information the binaries are a fraction of the size.
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
