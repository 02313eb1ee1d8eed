#pragma once

class ICpuId;
class ITimeStampCounter;

// The processor's identification instruction and cycle counter, executed on the machine's own
// processor. The instructions are the same whatever system runs the program, so both real
// backends hand out these objects. Each lives until the program ends.
ICpuId* ProcessorCpuId();
ITimeStampCounter* ProcessorTimeStampCounter();
