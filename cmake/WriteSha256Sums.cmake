# Run by CPack once it has made the release zip, still in its working folder: writes
# SHA256SUMS into the release folder where the zip is put, in the format that `sha256sum -c`
# reads (the checksum, two blanks, the file's name).
set(lines "")
foreach(package ${CPACK_PACKAGE_FILES})
  file(SHA256 ${package} sum)
  get_filename_component(name ${package} NAME)
  string(APPEND lines "${sum}  ${name}\n")
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${lines}")
