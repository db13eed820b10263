// Huffman code lengths of a frequency vector and the complexity of the
// vector measured by the mean length of that code (option V, entropy and
// complexity of a contingency table).
#pragma once

// Code length (depth of the leaf) of every symbol of a Huffman code built
// over the n frequencies; a zero frequency has no code and gets 0, and so does
// the only symbol of a vector with one non-zero frequency.
//
// The tree is built on a binary min-heap of the non-zero frequencies, taken in
// the order of the symbols: the heap is ordered bottom-up; then, as long as it
// holds two or more nodes, the smallest node is taken off (the last node
// moves to the top and sinks), the new top (the second smallest) is replaced
// by the sum of the two, and that node sinks. A node sinks below a child only
// when the child is strictly smaller, and of two equal children the left one
// is taken. Which of equal frequencies merge first decides the code lengths
// where frequencies tie (the mean length is the same for every Huffman code);
// this order is the classic heap construction of Huffman codes.
void HuffmanCodeLengths(int n, const unsigned long* frequencies, unsigned long* lengths);

// Complexity of the frequency vector x (n values): with fewer than three
// positive values, 0 (codeLengths untouched). Otherwise the values become
// integer frequencies f_k = x_k * 1 000 000 / T truncated (T = sum of the
// positive values; missing and negative cells count as 0), their Huffman code
// lengths go to codeLengths, and the result is the mean code length in bits,
// sum length_k f_k / 1 000 000.
double ComplexityVectorHuffCode(int n, const double* x, unsigned long* codeLengths);
