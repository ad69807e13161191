# Builds the two layer probes: the include of a lower layer compiles, the
# include that reaches up fails for want of the header, not for another reason.
function(build_probe probe result output)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --config ${CONFIG} --target layer_probe_${probe}
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} ${code} PARENT_SCOPE)
  set(${output} "${out}" PARENT_SCOPE)
endfunction()

build_probe(ReachesDown code out)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "an include of a lower layer does not compile:\n${out}")
endif()
build_probe(ReachesUp code out)
if(code EQUAL 0)
  message(FATAL_ERROR "an include that reaches up compiled")
endif()
if(NOT out MATCHES "HvCore/HvObject\\.h")
  message(FATAL_ERROR "the upward include failed for another reason:\n${out}")
endif()
