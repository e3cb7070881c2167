# Refreshes the program folder DESTINATION from the resources in SOURCE. The program writes its own
# "defaults.ini" there, so the shipped one only starts a folder that has none yet.
file(COPY ${SOURCE}/ DESTINATION ${DESTINATION} PATTERN defaults.ini EXCLUDE)
if(NOT EXISTS ${DESTINATION}/defaults.ini)
  file(COPY ${SOURCE}/defaults.ini DESTINATION ${DESTINATION})
endif()
