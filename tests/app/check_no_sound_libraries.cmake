# The game starts without FluidSynth and the libraries that come with it: it
# opens the synthesiser when a song first sounds.
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf failed on ${PROGRAM}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
foreach(library ${needed})
  if(library MATCHES "fluidsynth|jack|instpatch|readline")
    message(FATAL_ERROR "${PROGRAM} is linked with ${library}")
  endif()
endforeach()
