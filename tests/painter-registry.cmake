# Points the painter's registry key at an exchange directory for a test run
# through mayahost: "Temp Directory" is EXCHANGE and, under Wine, "Base
# Directory" the optional third argument (where the painter is installed).
# Natively the registry is the file OMBRIX_REGISTRY names, in WORK. Under
# Wine, command lines and file names beyond ASCII are read as UTF-8.
function(point_painter_registry work exchange)
  if(EMULATOR)
    set(ENV{LC_ALL} C.UTF-8)
    set(values "Temp Directory" "${exchange}")
    if(ARGC GREATER 2)
      list(APPEND values "Base Directory" "${ARGV2}")
    endif()
    while(values)
      list(POP_FRONT values name path)
      string(REPLACE "/" "\\" windows_path "Z:${path}")
      execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories"
                      /v ${name} /d "${windows_path}" /f RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "reg add ${name}: exit ${status}\n${out}${err}")
      endif()
    endwhile()
  else()
    set(ENV{OMBRIX_REGISTRY} ${work}/registry)
    file(WRITE ${work}/registry "Software\\Halvera\\Ombrix Vael\\Directories\tTemp Directory\t${exchange}\n")
  endif()
endfunction()
