# korv-render --report: the PDF of a card file, read back with pdftotext, and its exit codes.
# Run as: cmake -DRENDER=korv-render -DWORK=folder -P render_report_check.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
string(ASCII 179 l) # "ł" in Windows-1250, as card files hold it
file(WRITE ${WORK}/in.zel
     "RUF-KARTYv9\r\n\r\n[STREFA1]\r\n5=105\r\n\r\n[STREFA2]\r\n\r\n[STREFA3]\r\n\r\n"
     "[STREFA4]\r\n\r\n[KARTY]\r\n1;5;1234567;0;Garage=\r\n1;5;7654321;1;Bia${l}a=\r\n"
     "3;12;42;1;Door A=\r\n")
file(WRITE ${WORK}/not-cards.txt "hello\r\n")

function(render expected)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1796860800 ${RENDER} ${ARGN}
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL expected)
    message(FATAL_ERROR "korv-render ${ARGN}: exit ${rc}, expected ${expected}\n${err}")
  endif()
endfunction()

function(expect_text pdf)
  execute_process(COMMAND pdftotext -layout ${pdf} - OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "pdftotext ${pdf}: exit ${rc}")
  endif()
  foreach(want IN LISTS ARGN)
    string(FIND "${text}" "${want}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${pdf} lacks \"${want}\":\n${text}")
    endif()
  endforeach()
endfunction()

render(0 --report ${WORK}/in.zel ${WORK}/en.pdf)
expect_text(${WORK}/en.pdf "Card register" "File: ${WORK}/in.zel" "Date: 2026-12-10"
            "Apartment 5" "number to dial: 105" "1234567" "7654321" "Biała" "Door A"
            "Zone 1 total: cards 2, apartments 1" "Zone 3 total: cards 1, apartments 1"
            "Whole register: cards 3, apartments 2" "Page 1 of 1")
render(0 --report ${WORK}/in.zel ${WORK}/pl.pdf --lang 0)
expect_text(${WORK}/pl.pdf "Rejestr kart" "Strefa 1 razem: kart 2, lokali 1"
            "Cały rejestr: kart 3, lokali 2" "Strona 1 z 1" "Data: 2026-12-10")

render(3 --report ${WORK}/missing.zel ${WORK}/missing.pdf) # no such IN
render(3 --report ${WORK}/not-cards.txt ${WORK}/wrong.pdf) # IN is no card file
render(1 --report ${WORK}/in.zel ${WORK}/no-such-folder/out.pdf) # OUT cannot be written
render(2 --report ${WORK}/in.zel) # no OUT
render(2 --report ${WORK}/in.zel ${WORK}/x.pdf --lang 9)
foreach(never missing wrong x)
  if(EXISTS ${WORK}/${never}.pdf)
    message(FATAL_ERROR "${never}.pdf was written")
  endif()
endforeach()
