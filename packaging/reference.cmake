# Runs a program's --reference and writes what it prints to OUT, or, with
# CHECK set, fails when OUT differs from it (a page committed to the tree).
#   cmake -DPROGRAM=... -DLANGUAGE=pt|en -DFORMAT=man|markdown -DPAGE=... -DOUT=... [-DCHECK=ON]
#         [-DREGENERATE="how to make OUT again"] -P reference.cmake
execute_process(COMMAND ${PROGRAM} --lang ${LANGUAGE} --reference=${FORMAT} ${PAGE}
                OUTPUT_VARIABLE made ERROR_VARIABLE errors RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --lang ${LANGUAGE} --reference=${FORMAT} ${PAGE} failed (${rc}):\n${errors}")
endif()
if(CHECK)
  file(READ ${OUT} committed)
  if(NOT committed STREQUAL made)
    set(fresh ${OUT}.fresh)
    get_filename_component(name ${OUT} NAME)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.fresh "${made}")
    execute_process(COMMAND diff -u ${OUT} ${CMAKE_CURRENT_BINARY_DIR}/${name}.fresh)
    message(FATAL_ERROR "${OUT} is not what the program prints now; make it again with\n  ${REGENERATE}\nand commit it")
  endif()
else()
  get_filename_component(dir ${OUT} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(WRITE ${OUT} "${made}")
endif()
