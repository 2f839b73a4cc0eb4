# Installs the build into a scratch PREFIX, then runs the installed
# glamora-sim on the shipped example script: its output must be that of the
# glamora-sim in the build tree, and the script must end with a result.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
foreach(file bin/glamora bin/glamora-sim bin/glamora-lobby share/glamora/Glamora.mid share/glamora/Glamora.txt
             share/glamora/Glamora_en.txt share/icons/hicolor/256x256/apps/glamora.png share/man/man6/glamora.6.gz
             share/man/man6/glamora-sim.6.gz share/man/man8/glamora-lobby.8.gz share/man/ja/man6/glamora.6.gz
             share/man/ja/man6/glamora-sim.6.gz share/man/ja/man8/glamora-lobby.8.gz
             lib/systemd/system/glamora-lobby.service
             share/applications/org.glamora.glamora.desktop
             share/metainfo/org.glamora.glamora.metainfo.xml)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
set(script ${PREFIX}/share/doc/glamora/examples/demo.sim)
execute_process(COMMAND ${PREFIX}/bin/glamora-sim ${script} OUTPUT_VARIABLE installed RESULT_VARIABLE failed)
execute_process(COMMAND ${BUILD}/glamora-sim ${script} OUTPUT_VARIABLE built)
if(failed OR NOT installed STREQUAL built OR NOT installed MATCHES "\"event\":\"dump\"")
  message(FATAL_ERROR "the installed glamora-sim gave:\n${installed}\nthe built one:\n${built}")
endif()
execute_process(COMMAND ${PREFIX}/bin/glamora-lobby --help OUTPUT_VARIABLE help RESULT_VARIABLE failed)
if(failed OR NOT help MATCHES "--relayed-rooms")
  message(FATAL_ERROR "the installed glamora-lobby --help gave:\n${help}")
endif()
