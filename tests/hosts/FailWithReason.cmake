# Stands in for a host test that cannot run on this machine, and fails with the reason.
message(FATAL_ERROR "host test unavailable: ${REASON}")
