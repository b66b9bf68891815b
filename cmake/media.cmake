# The distribution on the media of its machines: a 1.44 MB diskette image (FAT12, mtools) and a CD image
# (ISO 9660 level 1, xorriso: eight-plus-three names as NT 4.0 reads them, no Joliet). Both are written
# from the finished distribution directory; mcopy fails the build when the diskette is full.
# Included by windows.cmake after the dist target exists.
find_program(QUOREL_MFORMAT NAMES mformat REQUIRED)
find_program(QUOREL_MCOPY NAMES mcopy REQUIRED)
find_program(QUOREL_XORRISO NAMES xorriso REQUIRED)

set(QUOREL_DISKETTE_IMAGE "${QUOREL_MEDIA_DIR}/QUOREL2.IMG")
set(QUOREL_CD_IMAGE "${QUOREL_MEDIA_DIR}/QUOREL2.ISO")
add_custom_target(media ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${QUOREL_MEDIA_DIR}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QUOREL_MEDIA_DIR}"
    COMMAND ${CMAKE_COMMAND} -E env MTOOLS_SKIP_CHECK=1
            "${QUOREL_MFORMAT}" -i "${QUOREL_DISKETTE_IMAGE}" -C -f 1440 -v QUOREL2 ::
    COMMAND ${CMAKE_COMMAND} -E env MTOOLS_SKIP_CHECK=1 MTOOLS_NO_VFAT=1
            "${QUOREL_MCOPY}" -i "${QUOREL_DISKETTE_IMAGE}" -s -Q -m "${QUOREL_DIST_DIR}/SETUP.EXE"
            "${QUOREL_DIST_DIR}/SETUP.QZT" "${QUOREL_DIST_DIR}/ENGLISH.LNG" "${QUOREL_DIST_DIR}/DEUTSCH.LNG"
            "${QUOREL_DIST_DIR}/DOCS" "${QUOREL_DIST_DIR}/DRIVER" "${QUOREL_DIST_DIR}/TOOLS" ::
    COMMAND "${QUOREL_XORRISO}" -report_about WARNING -as mkisofs -iso-level 1 -V QUOREL2 -o "${QUOREL_CD_IMAGE}"
            "${QUOREL_DIST_DIR}"
    DEPENDS dist
    COMMENT "Writing the distribution's diskette and CD images to ${QUOREL_MEDIA_DIR}"
    VERBATIM)
