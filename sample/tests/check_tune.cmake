# Reads the tune with midicsv and checks what it found: a format 1 header whose track count
# matches the tracks read, each track closed, every note that starts also ending, and notes
# enough for a tune. A damaged chunk length or delta time throws the reading off and fails it.
#   cmake -DMIDI=file.mid -P check_tune.cmake
execute_process(COMMAND midicsv ${MIDI}
                RESULT_VARIABLE status OUTPUT_VARIABLE csv ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "midicsv could not read ${MIDI} (${status}): ${errors}")
endif()
string(REGEX MATCH "0, 0, Header, ([0-9]+), ([0-9]+), ([0-9]+)" header "${csv}")
if(NOT header)
  message(FATAL_ERROR "no MIDI header in ${MIDI}")
endif()
set(format ${CMAKE_MATCH_1})
set(tracks ${CMAKE_MATCH_2})
string(REGEX MATCHALL "Start_track" starts "${csv}")
string(REGEX MATCHALL "End_track" ends "${csv}")
string(REGEX MATCHALL "Note_on_c, [0-9]+, [0-9]+, [1-9][0-9]*\n" ons "${csv}")
string(REGEX MATCHALL "Note_off_c|Note_on_c, [0-9]+, [0-9]+, 0\n" offs "${csv}")
list(LENGTH starts started)
list(LENGTH ends ended)
list(LENGTH ons notes)
list(LENGTH offs released)
if(NOT format EQUAL 1 OR NOT started EQUAL tracks OR NOT ended EQUAL tracks)
  message(FATAL_ERROR
          "format ${format}, ${tracks} tracks announced, ${started} begun, ${ended} ended")
endif()
if(NOT notes EQUAL released OR notes LESS 100)
  message(FATAL_ERROR "${notes} notes begin but ${released} end")
endif()
if(NOT csv MATCHES "End_of_file")
  message(FATAL_ERROR "midicsv stopped before the end of ${MIDI}")
endif()
message(STATUS "${MIDI}: ${tracks} tracks, ${notes} notes")
