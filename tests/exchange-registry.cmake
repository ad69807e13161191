# The user's registry for a mayahost run of the module: "Temp Directory" (the
# exchange directory) is EXCHANGE, and under Wine "Base Directory" is BIN.
# Natively the module reads a registry file, WORK/registry.
# Variables: EMULATOR (empty natively), EXCHANGE, BIN, WORK.
if(EMULATOR)
  # Wine reads command lines and file names beyond ASCII as the locale's UTF-8.
  set(ENV{LC_ALL} C.UTF-8)
  string(REPLACE "/" "\\" exchange "Z:${EXCHANGE}")
  string(REPLACE "/" "\\" windows_bin "Z:${BIN}")
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories"
                  /v "Temp Directory" /d "${exchange}" /f OUTPUT_QUIET ERROR_QUIET)
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories"
                  /v "Base Directory" /d "${windows_bin}" /f OUTPUT_QUIET ERROR_QUIET)
else()
  set(ENV{OMBRIX_REGISTRY} ${WORK}/registry)
  file(WRITE ${WORK}/registry "Software\\Halvera\\Ombrix Vael\\Directories\tTemp Directory\t${EXCHANGE}\n")
endif()
