// The high library of the pair: it defines what the low one should not be using.
int LowLayerAnswer();

int AskTheLayerAbove() {
    return 41;
}

int HighLayerAnswer() {
    return LowLayerAnswer();
}
