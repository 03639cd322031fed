# compress_for_install(FILE): writes FILE.gz beside FILE when CMake configures the build.
# Debian installs manual pages and changelogs compressed; gzip -n leaves the file's name and
# time out of the header, so the same text always gives the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
function(compress_for_install file)
  execute_process(COMMAND ${GZIP_PROGRAM} -9 -n -f -k ${file} COMMAND_ERROR_IS_FATAL ANY)
endfunction()
