# Run by CPack after it made the Debian package: a copy goes beside the Windows release files.
file(COPY ${CPACK_PACKAGE_FILES} DESTINATION ${CPACK_MIREBORA_RELEASE_DIR})
