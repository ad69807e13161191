# The module and the painter stand-in as real processes under Wine: mayahost
# loads ObvTester2.mll and runs its commands, Ombvael.exe is started from the
# registry and journals what it receives and reads.
# Variables: EMULATOR (the wine runner), MAYAHOST, MODULE, BIN (the folder of
# Ombvael.exe), SCENE, WORK.
# Output goes through files: a painter started by mayahost inherits its output
# under Wine, and a pipe would stay open until the painter exits.
set(token 2500946208)  # the load token of "Maya.obv"
set(ENV{LC_ALL} C.UTF-8)  # Wine reads command lines and file names beyond ASCII as UTF-8
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/exchange ${WORK}/empty)

function(windows_path out path)
  string(REPLACE "/" "\\" p "Z:${path}")
  set(${out} "${p}" PARENT_SCOPE)
endfunction()
function(set_value name path)
  windows_path(value ${path})
  execute_process(COMMAND ${EMULATOR} reg add "HKCU\\Software\\Halvera\\Ombrix Vael\\Directories"
                  /v "${name}" /d "${value}" /f OUTPUT_QUIET ERROR_QUIET)
endfunction()

# host(NAME PAINTER_ARGS COMMANDS...): mayahost with the module, one -c per
# command; sets NAME_out and NAME_seconds; mayahost must exit 0.
function(host name painter)
  windows_path(journal ${WORK}/${name}.journal)
  set(args)
  foreach(command ${ARGN})
    list(APPEND args -c ${command})
  endforeach()
  string(TIMESTAMP start "%s")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env "OMBVAEL_ARGS=--journal ${journal} ${painter}"
                          ${EMULATOR} ${MAYAHOST} ${SCENE_ARGS} --plugin ${MODULE} ${args}
                  WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status
                  OUTPUT_FILE ${WORK}/${name}.out ERROR_FILE ${WORK}/${name}.err)
  string(TIMESTAMP end "%s")
  file(READ ${WORK}/${name}.out out)
  file(READ ${WORK}/${name}.err err)
  math(EXPR seconds "${end} - ${start}")
  message(STATUS "${name}: exit ${status} after ${seconds} s\n${out}${err}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${name}: mayahost exit ${status}")
  endif()
  set(${name}_out "${out}${err}" PARENT_SCOPE)
  set(${name}_seconds ${seconds} PARENT_SCOPE)
endfunction()

# Waits (up to 10 s) until the journal of NAME matches REGEX.
function(journal_shows name regex)
  foreach(attempt RANGE 50)
    if(EXISTS ${WORK}/${name}.journal)
      file(READ ${WORK}/${name}.journal text)
      if(text MATCHES "${regex}")
        return()
      endif()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
  endforeach()
  message(FATAL_ERROR "${name}: the painter's journal never showed \"${regex}\":\n${text}")
endfunction()

set_value("Base Directory" ${BIN})
set_value("Temp Directory" ${WORK}/exchange)

# No painter: CloseOmbrix says so and costs nothing.
host(no_painter "" CloseOmbrix)
if(NOT no_painter_out MATCHES "Closing OmbrixVael" OR no_painter_seconds GREATER 10)
  message(FATAL_ERROR "CloseOmbrix without a painter: ${no_painter_seconds} s\n${no_painter_out}")
endif()

# The main job: export, the painter loads it, then closes.
set(SCENE_ARGS --scene ${SCENE})
host(export "" ExportAllOmbrixPlug AutoLoadOmbrix CloseOmbrix)
set(SCENE_ARGS)
if(NOT EXISTS ${WORK}/exchange/Maya.obv OR NOT EXISTS ${WORK}/exchange/OBVLLOG/${token}.log)
  message(FATAL_ERROR "the export wrote no Maya.obv or no log file ${token}.log")
endif()
journal_shows(export "started Ombrix Vael")
journal_shows(export "LoadMe [0-9]+ ${token}")
journal_shows(export "loaded Maya.obv format=OBV groups=[1-9]")
journal_shows(export "CloseMe 0 ${token}")
journal_shows(export "\nexit")

# LaunchOmbrix starts it, SwitchOmbrix raises that one (no second process).
host(launch "" LaunchOmbrix SwitchOmbrix CloseOmbrix)
journal_shows(launch "\nexit")
file(READ ${WORK}/launch.journal text)
string(REGEX MATCHALL "started Ombrix Vael" starts "${text}")
list(LENGTH starts count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "LaunchOmbrix then SwitchOmbrix started ${count} painters:\n${text}")
endif()

# A hung painter costs LaunchOmbrix the launch wait (20 s) and bounded sends, no more.
host(hung "--hang" LaunchOmbrix)
journal_shows(hung "exit hung")
if(hung_seconds GREATER 35)
  message(FATAL_ERROR "LaunchOmbrix with a hung painter took ${hung_seconds} s")
endif()

# A painter installed under a folder with spaces and Japanese in its name
# starts with its quoted path as its whole command line (no stray arguments,
# which the stand-in would refuse).
set(spaced "${WORK}/Program Files/Ombrix Vael データ")
file(COPY ${BIN}/Ombvael.exe DESTINATION "${spaced}")
set_value("Base Directory" "${spaced}")
host(spaced "" LaunchOmbrix CloseOmbrix)
journal_shows(spaced "started Ombrix Vael")
journal_shows(spaced "\nexit")

# A missing painter: the launch fails at once and the command still returns.
set_value("Base Directory" ${WORK}/empty)
host(missing "" LaunchOmbrix SwitchOmbrix AutoLoadOmbrix)
if(missing_seconds GREATER 10)
  message(FATAL_ERROR "the commands with no painter installed took ${missing_seconds} s")
endif()
