# A copy of mayahost and the OpenMaya library in FOLDER, with no scripts of
# its own beside it; VARIABLE gets the command that runs it (through EMULATOR
# when set). Needs MAYAHOST, OPENMAYA and EMULATOR.
function(copy_bare_host folder variable)
  file(COPY ${MAYAHOST} ${OPENMAYA} DESTINATION ${folder})
  get_filename_component(name ${MAYAHOST} NAME)
  set(${variable} ${EMULATOR} ${folder}/${name} PARENT_SCOPE)
endfunction()
